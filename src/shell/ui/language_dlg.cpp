#include "shell/ui/language_dlg.h"

#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/ui/message_box.h"
#include "platform/ui/translate_window.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QComboBox>
#include <QString>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {
constexpr int kListId = 1014;

bool SamePathIgnoringCase(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}
}

CLanguageDlg::CLanguageDlg(QWidget* parent)
    : CDialog(IDD_LANGUAGE, parent)
{
}

QComboBox* CLanguageDlg::List() const
{
    return GetDlgItemAs<QComboBox>(kListId);
}

std::vector<CLanguageDlg::LanguageEntry> CLanguageDlg::FindLanguageFiles()
{
    std::vector<LanguageEntry> entries;
    std::error_code ec;
    std::filesystem::directory_iterator it(ExecutableDirectory(), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        if (p.extension() != ".lang" || it->is_directory(ec))
            continue;
        LanguageEntry e;
        e.path = JoinPath(ExecutableDirectory(), p.filename().string());
        e.name = p.stem().string();
        e.disp = GetPrivateProfileString("Face", "disp", "-----", 100, e.path);
        entries.push_back(std::move(e));
    }
    std::sort(entries.begin(), entries.end(),
        [](const LanguageEntry& a, const LanguageEntry& b) { return a.path < b.path; });
    return entries;
}

bool CLanguageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(this, IDD_LANGUAGE);
    QComboBox* list = List();
    if (!list)
        return true;
    list->setCurrentIndex(-1);
    for (const LanguageEntry& e : FindLanguageFiles()) {
        if (e.disp.empty())
            continue;
        DialogBuilder::AddString(list, QString::fromStdString(e.disp));
        if (SamePathIgnoringCase(e.path, LanguageFile())) {
            // The list's own prefix search picks the first entry beginning with the name.
            const QString disp = QString::fromStdString(e.disp);
            for (int i = 0; i < list->count(); ++i) {
                if (list->itemText(i).startsWith(disp, Qt::CaseInsensitive)) {
                    list->setCurrentIndex(i);
                    break;
                }
            }
        }
    }
    return true;
}

void CLanguageDlg::OnOK()
{
    QComboBox* list = List();
    // No selection means nothing was chosen: the language stays.
    if (list && list->currentIndex() >= 0) {
        const std::string chosen = list->currentText().toStdString();
        for (const LanguageEntry& e : FindLanguageFiles()) {
            if (e.disp.empty() || e.disp != chosen)
                continue;
            std::string error;
            if (!WritePrivateProfileString("setup", "language", e.name, SettingsFile(), &error)) {
                ShowMessageBox(this, LoadLangString("IDS_ERROR_SETTINGS_WRITE") + "\n" + error,
                    LoadLangString("IDS_ERROR"), MB_OK | MB_ICONERROR);
            }
            SetLanguageFile(e.path);
            break;
        }
    }
    if (CVelmarApp* app = CVelmarApp::Instance())
        app->RefreshUi();
    EndDialog(IDOK);
}
