#include "app/print_pdf_command.h"

#include "editor/velmar_view.h"
#include "model/velmar_doc.h"
#include "platform/paths.h"
#include "platform/ui/print_driver.h"
#include "shell/settings_file.h"

#include <QString>

#include <ostream>
#include <string>

namespace {
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int Fail(std::ostream& err, const std::string& message, int code)
{
    err << "velmar: " << message << '\n';
    return code;
}
} // namespace

int RunPrintPdf(const QStringList& arguments, std::ostream& err)
{
    const char* const usage = "usage: velmar --print-pdf FILE.dig OUT.pdf [--settings FILE]";
    std::string input;
    std::string output;
    std::string settings;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QStringLiteral("--settings")) {
            if (i + 1 >= arguments.size())
                return Fail(err, "--settings needs a file name", kExitUsage);
            settings = arguments.at(++i).toStdString();
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return Fail(err, "unknown option \"" + arg.toStdString() + "\"; " + usage, kExitUsage);
        } else if (input.empty()) {
            input = arg.toStdString();
        } else if (output.empty()) {
            output = arg.toStdString();
        } else {
            return Fail(err, "unexpected argument \"" + arg.toStdString() + "\"; " + usage, kExitUsage);
        }
    }
    if (input.empty() || output.empty())
        return Fail(err, usage, kExitUsage);

    // The settings and language files as the program finds them at start-up.
    if (settings.empty())
        settings = JoinPath(ExecutableDirectory(), "setting.ini");
    if (!FileExists(settings))
        return Fail(err, "cannot find the settings file " + settings, kExitFailure);
    SetSettingsFile(settings);
    SetLanguageFile(LanguageFileForSettings(settings));

    CVelmarDoc doc;
    doc.OnNewDocument();
    std::string error;
    if (!doc.OnOpenDocument(input, &error))
        return Fail(err, error, kExitFailure);
    if (doc.GetLastLoadResult() == CVelmarDoc::LoadResult::WrongSignature)
        return Fail(err, input + " is not a radio data file (wrong signature)", kExitFailure);

    // The view is never shown; it only lays out the channel table to print.
    CVelmarView view;
    view.AttachDocument(&doc);
    view.OnInitialUpdate();
    if (!PrintViewToPdf(view, output, &error))
        return Fail(err, "cannot write the PDF: " + error, kExitFailure);
    return kExitOk;
}
