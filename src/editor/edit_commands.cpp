#include "editor/edit_commands.h"

#include "model/channel_csv.h"
#include "model/velmar_doc.h"
#include "platform/atomic_file.h"
#include "platform/profile.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "templates/command_ids.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// A channel table has 17 short lines; anything far larger is not one.
constexpr std::size_t kMaxCsvSize = 1 << 20;

int TableRows()
{
    const std::string text = GetPrivateProfileString("setup", "channel", "", 20, SettingsFile());
    return static_cast<int>(std::clamp(std::strtoll(text.c_str(), nullptr, 10), 0LL, 16LL));
}

std::string WithValue(std::string text, const std::string& value)
{
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

void CommitOpenEditor()
{
    // Editors store what they hold when they lose the focus.
    if (QWidget* focus = QApplication::focusWidget())
        focus->clearFocus();
}

} // namespace

void CEditCommands::Undo(CVelmarDoc* doc)
{
    if (!doc)
        return;
    CommitOpenEditor();
    doc->Undo();
}

void CEditCommands::Redo(CVelmarDoc* doc)
{
    if (!doc)
        return;
    CommitOpenEditor();
    doc->Redo();
}

void CEditCommands::ExportChannels(QWidget* owner, CVelmarDoc* doc)
{
    if (!doc)
        return;
    CommitOpenEditor();
    std::string stem = doc->GetTitle();
    if (const auto dot = stem.rfind('.'); dot != std::string::npos && dot > 0)
        stem.erase(dot);
    const std::string path = AskFileName(owner, { true, LoadLangString("IDS_CSV_FILTER"), stem + ".csv" });
    if (path.empty())
        return;
    std::string error;
    if (!WriteFileAtomically(path, ExportChannelsCsv(*doc, TableRows()), &error))
        ShowMessageBox(owner, WithValue(LoadLangString("IDS_ERROR_CSV_WRITE"), error),
            LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
}

void CEditCommands::ImportChannels(QWidget* owner, CVelmarDoc* doc)
{
    if (!doc)
        return;
    CommitOpenEditor();
    const std::string path = AskFileName(owner, { false, LoadLangString("IDS_CSV_FILTER"), {} });
    if (path.empty())
        return;
    std::string text;
    std::string error;
    if (!ReadWholeFile(path, text, &error) || text.size() > kMaxCsvSize) {
        if (error.empty())
            error = path;
        ShowMessageBox(owner, WithValue(LoadLangString("IDS_ERROR_CSV_READ"), error),
            LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
        return;
    }
    const ChannelCsvImport import = PrepareChannelsCsvImport(*doc, text, TableRows());
    if (!import.ok()) {
        ShowMessageBox(owner,
            LoadLangString("IDS_CSV_REJECTED") + "\n" + DescribeChannelsCsvError(import, true),
            LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
        return;
    }
    if (import.image.bytes == doc->Image().bytes) {
        ShowMessageBox(owner, LoadLangString("IDS_CSV_UNCHANGED"), LoadLangString("IDS_PROMPT"),
            MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string question = LoadLangString("IDS_CSV_CONFIRM");
    if (!import.adjustments.empty()) {
        question += "\n\n" + LoadLangString("IDS_CSV_ADJUSTED");
        const int count = static_cast<int>(import.adjustments.size());
        for (int i = 0; i < std::min(count, kShownAdjustments); ++i)
            question += "\n"
                + DescribeChannelsCsvAdjustment(import.adjustments[static_cast<std::size_t>(i)], true);
        if (count > kShownAdjustments)
            question += "\n"
                + WithValue(LoadLangString("IDS_CSV_MORE"), std::to_string(count - kShownAdjustments));
    }
    if (ShowMessageBox(owner, question, LoadLangString("IDS_CONFIRM"), MB_OKCANCEL | MB_ICONEXCLAMATION)
        != IDOK)
        return;
    if (ApplyChannelsCsvImport(*doc, import))
        doc->UpdateAllViews(nullptr);
}
