// Printing from the outside: "velmar --print-pdf" without a display,
// "velmar-cli print" through it, their errors, and the File menu's print
// commands in the running application.

#include "printing/print_fixture.h"

#include "platform/ui/command_actions.h"
#include "shell/settings_file.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace {

const std::string kBin = VELMAR_BIN_DIR;

// Runs a command line with the display variables removed, as on a server.
CommandResult RunWithoutDisplay(const std::string& command)
{
    return RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + command + " 2>&1");
}

class PrintCommands : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        UseChannels({ 1, 3, 5, 16 });
        dig = HomeFile("radio.dig");
        std::string error;
        ASSERT_TRUE(doc->OnSaveDocument(dig, &error)) << error;
    }

    std::string Velmar(const std::string& args) const { return ShellQuote(kBin + "/velmar") + " " + args; }
    std::string Cli(const std::string& args) const
    {
        return ShellQuote(kBin + "/velmar-cli") + " --settings " + ShellQuote(HomeFile("setting.ini")) + " "
            + args;
    }

    std::string dig;
};

TEST_F(PrintCommands, PrintPdfModeAndCliPrintWriteThePagesOfFilePrint)
{
    const std::string viewPdf = PrintPdf("view.pdf");
    const std::vector<int> labels = PrintedLabels(PdfPageText(viewPdf, 1));
    ASSERT_EQ(labels, (std::vector<int> { 1, 3, 5, 16 }));

    const std::string modePdf = HomeFile("mode.pdf");
    const CommandResult mode
        = RunWithoutDisplay(Velmar("--print-pdf " + ShellQuote(dig) + " " + ShellQuote(modePdf)));
    ASSERT_EQ(mode.code, 0) << mode.out;
    ASSERT_EQ(PdfPageCount(modePdf), 1);
    EXPECT_EQ(PrintedLabels(PdfPageText(modePdf, 1)), labels);

    const std::string cliPdf = HomeFile("cli.pdf");
    const CommandResult cli
        = RunWithoutDisplay(Cli("print " + ShellQuote(dig) + " -o " + ShellQuote(cliPdf)));
    ASSERT_EQ(cli.code, 0) << cli.out;
    ASSERT_EQ(PdfPageCount(cliPdf), 1);
    EXPECT_EQ(PrintedLabels(PdfPageText(cliPdf, 1)), labels);
    // Same paper and scale: the pages' text lines up the same way.
    EXPECT_EQ(PdfPageText(cliPdf, 1).substr(PdfPageText(cliPdf, 1).find("CH")),
        PdfPageText(viewPdf, 1).substr(PdfPageText(viewPdf, 1).find("CH")));
}

struct FailureCase
{
    const char* name;
    bool cli; // velmar-cli print, else velmar --print-pdf
    const char* input; // a name in the temp folder
    const char* output; // a name in the temp folder, "" for none
    int code;
    const char* message; // part of the one-line message
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintCommandFailures : public PrintCommands, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(PrintCommandFailures, EndWithAClearMessageAndNoFile)
{
    const FailureCase& c = GetParam();
    TempDir::WriteFile(HomeFile("garbage.dig"), std::string(4144, 'x'));
    const std::string input = ShellQuote(HomeFile(c.input));
    const std::string output = *c.output ? ShellQuote(HomeFile(c.output)) : std::string();
    const std::string command = c.cli ? Cli("print " + input + (*c.output ? " -o " + output : ""))
                                      : Velmar("--print-pdf " + input + " " + output);
    const CommandResult result = RunWithoutDisplay(command);
    EXPECT_EQ(result.code, c.code) << result.out;
    EXPECT_NE(result.out.find(c.message), std::string::npos) << result.out;
    if (*c.output) {
        EXPECT_FALSE(std::filesystem::exists(HomeFile(c.output)));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintCommandFailures,
    ::testing::Values(FailureCase { "MissingFile", false, "missing.dig", "out.pdf", 1, "missing.dig" },
        FailureCase { "NotADataFile", false, "garbage.dig", "out.pdf", 1, "not a radio data file" },
        FailureCase { "UnwritablePdf", false, "radio.dig", "no-folder/out.pdf", 1, "cannot write the PDF" },
        FailureCase { "NoOutput", false, "radio.dig", "", 2, "usage: velmar --print-pdf" },
        FailureCase { "CliMissingFile", true, "missing.dig", "out.pdf", 1, "missing.dig" },
        FailureCase { "CliUnwritablePdf", true, "radio.dig", "no-folder/out.pdf", 1, "cannot write the PDF" },
        FailureCase { "CliNoOutput", true, "radio.dig", "", 2, "-o OUT.pdf" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintCommands, CliWithoutVelmarBesideItSaysWhatIsMissing)
{
    const std::string solo = HomeFile("solo");
    std::filesystem::create_directory(solo);
    std::filesystem::copy_file(kBin + "/velmar-cli", solo + "/velmar-cli");
    const CommandResult result = RunWithoutDisplay(ShellQuote(solo + "/velmar-cli") + " --settings "
        + ShellQuote(HomeFile("setting.ini")) + " print " + ShellQuote(dig) + " -o "
        + ShellQuote(HomeFile("x.pdf")));
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.out.find("needs the program velmar beside velmar-cli"), std::string::npos) << result.out;
}

// The running application: the File menu carries Export PDF right after
// Print Setup, translated like every other item, and it writes the pages.
TEST_F(PrintFixture, FileMenuExportPdfFollowsPrintSetupInBothLanguages)
{
    TempDir::WriteFile(
        HomeFile("chinese.lang"), TempDir::ReadFile(std::string(VELMAR_RESOURCE_DIR) + "/chinese.lang"));
    CVelmarApp app;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_NE(frame, nullptr);

    QMenu* file = frame->menuBar()->actions().at(0)->menu();
    ASSERT_NE(file, nullptr);
    std::vector<int> ids;
    for (QAction* action : file->actions())
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    ASSERT_GE(ids.size(), 9u);
    const std::vector<int> head(ids.begin(), ids.begin() + 9);
    EXPECT_EQ(head,
        (std::vector<int> { ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0, ID_FILE_PRINT,
            ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_FILE_EXPORT_PDF }));

    QAction* exportPdf = frame->Commands()->FindAction(ID_FILE_EXPORT_PDF);
    ASSERT_NE(exportPdf, nullptr);
    EXPECT_EQ(exportPdf->text(), QStringLiteral("&Export PDF..."));
    SetLanguageFile(HomeFile("chinese.lang"));
    app.TranslateMenu();
    EXPECT_EQ(exportPdf->text(), QStringLiteral("导出 PDF(&E)..."));
    SetLanguageFile(HomeFile("english.lang"));

    // Print (also Ctrl+P and the toolbar), preview and setup open their dialogs.
    const struct
    {
        int id;
        const char* dialog;
    } dialogs[] = {
        { ID_FILE_PRINT, "QPrintDialog" },
        { ID_FILE_PRINT_PREVIEW, "QPrintPreviewDialog" },
        { ID_FILE_PRINT_SETUP, "QPageSetupDialog" },
    };
    for (const auto& d : dialogs) {
        QAction* action = frame->Commands()->FindAction(d.id);
        ASSERT_NE(action, nullptr) << d.id;
        QString shown;
        WithModalDialog([action] { action->trigger(); },
            [&shown](QWidget* modal) { shown = QString::fromLatin1(modal->metaObject()->className()); });
        EXPECT_EQ(shown.toStdString(), d.dialog);
    }

    const std::string pdf = HomeFile("menu.pdf");
    chosenFiles.push_back(pdf);
    exportPdf->trigger();
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_TRUE(boxes.empty());
    frame->close();
}

} // namespace
