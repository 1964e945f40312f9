#include "shell/ui/velmar_app.h"

#include "editor/edit_commands.h"
#include "editor/velmar_view.h"
#include "model/velmar_doc.h"
#include "platform/locale.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/ui/command_actions.h"
#include "platform/ui/message_box.h"
#include "platform/ui/print_driver.h"
#include "platform/ui/recent_file_list.h"
#include "radio/ui/verify_dlg.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "shell/ui/about_dlg.h"
#include "shell/ui/language_dlg.h"
#include "shell/ui/main_frame.h"
#include "templates/command_ids.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMenuBar>
#include <QString>

#include <utility>

namespace {
constexpr int kRecentFileCount = 4;
constexpr unsigned kQuestion = MB_OKCANCEL | MB_ICONEXCLAMATION;

// Top-level menus by position, then command items, as the language file names them.
const char* const kTopMenuKeys[] = {"Menu_File", "Menu_Program", "Menu_Setting", "Menu_Help"};

const struct {
    int id;
    const char* key;
} kMenuItemKeys[] = {
    {ID_FILE_NEW, "Menu_File_New"},
    {ID_FILE_OPEN, "Menu_File_Open"},
    {ID_FILE_SAVE, "Menu_File_Save"},
    {ID_FILE_SAVE_AS, "Menu_File_Save_As"},
    {ID_FILE_PRINT, "Menu_File_Print"},
    {ID_FILE_PRINT_PREVIEW, "Menu_File_Print_Preview"},
    {ID_FILE_PRINT_SETUP, "Menu_File_Print_Setup"},
    {ID_FILE_EXPORT_PDF, "Menu_File_Export_Pdf"},
    {ID_FILE_EXPORT_CHANNELS, "Menu_File_Export_Channels"},
    {ID_FILE_IMPORT_CHANNELS, "Menu_File_Import_Channels"},
    {ID_APP_EXIT, "Menu_App_Exit"},
    {ID_READ_RADIO, "Menu_Program_ReadData"},
    {ID_WRITE_RADIO, "Menu_Program_WriteData"},
    {ID_VERIFY_RADIO, "Menu_Program_Verify"},
    {ID_TEST_MODE, "Menu_Program_TestMode"},
    {ID_PORT, "Menu_Setting_Port"},
    {ID_LANGUAGE, "Menu_Setting_Language"},
    {ID_HELP_FILE, "Menu_Help_Help"},
    {ID_APP_ABOUT, "Menu_App_About"},
};

QString Lang(const char* key)
{
    return QString::fromStdString(LoadLangString(key));
}
}

static void InitIconResources()
{
    Q_INIT_RESOURCE(icons);
}

CVelmarApp::CVelmarApp()
{
    InitIconResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/velmar.xpm")));
}

CVelmarApp::~CVelmarApp()
{
    m_serialLink.Close();
}

CVelmarApp* CVelmarApp::Instance()
{
    return qobject_cast<CVelmarApp*>(AfxGetApp());
}

std::string CVelmarApp::AppName() const
{
    return "Velmar";
}

bool CVelmarApp::InitInstance()
{
    const std::string directory = ExecutableDirectory();
    SetSettingsFile(JoinPath(directory, "setting.ini"));
    if (!FileExists(SettingsFile())) {
        ShowMessageBox(nullptr, "Can not find the file setting.ini!", AppName(), MB_OK | MB_ICONERROR);
        return false;
    }

    std::string language = GetPrivateProfileString("setup", "language", "", 260, SettingsFile());
    if (language.empty())
        language = SystemDefaultLcid() == 2052 ? "chinese" : "english";
    SetLanguageFile(JoinPath(directory, language + ".lang"));

    suppressClearPrompt = true;

    QCoreApplication::setOrganizationName(QStringLiteral("Velmar"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmar"));
    LoadStdProfileSettings(kRecentFileCount);

    if (!ProcessShellCommand(m_arguments))
        return false;

    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return false;
    frame->show();
    frame->setAcceptDrops(true);
    frame->OnUpdateFrameTitle();
    return true;
}

CDocument* CVelmarApp::OpenDocumentFile(const std::string& path)
{
    // A file that cannot be read must not cost the user the open document.
    if (!CheckReadable(path))
        return nullptr;
    suppressClearPrompt = true;
    if (!OnFileNew()) {
        // The save-changes question was cancelled: nothing opens, and the
        // next File New by the user asks again.
        suppressClearPrompt = false;
        return nullptr;
    }
    CDocument* document = CWinApp::OpenDocumentFile(path);
    UpdateFrameTitle();
    return document;
}

std::unique_ptr<CDocument> CVelmarApp::CreateDocument()
{
    auto document = std::make_unique<CVelmarDoc>();
    document->SetClearQuestion([this] { return AskClear(); });
    document->SetWrongSignatureHandler([this] { ShowWrongSignature(); });
    return document;
}

QMainWindow* CVelmarApp::CreateMainFrame(CDocument* document)
{
    auto* frame = new CMainFrame;
    auto* view = new CVelmarView;
    view->AttachDocument(document);
    frame->SetView(view);
    ConnectCommands(frame);
    if (GetRecentFileList())
        GetRecentFileList()->Attach(frame->Commands()->RecentFilesMenu(),
            frame->Commands()->RecentFilesPlaceholder());
    return frame;
}

void CVelmarApp::ConnectCommands(CMainFrame* frame)
{
    CommandActions* commands = frame->Commands();
    commands->SetHandler(ID_FILE_NEW, [this] { OnFileNew(); });
    commands->SetHandler(ID_FILE_OPEN, [this] {
        OnFileOpen();
        UpdateFrameTitle();
    });
    commands->SetHandler(ID_FILE_SAVE, [this] { OnSaveCommand(); });
    commands->SetHandler(ID_FILE_SAVE_AS, [this] {
        OnFileSaveAs();
        UpdateFrameTitle();
    });
    commands->SetHandler(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    // Print, preview and PDF export belong to the view.
    const auto onView = [frame](void (CVelmarView::*handler)()) {
        return [frame, handler] {
            if (auto* view = qobject_cast<CVelmarView*>(frame->GetActiveView()))
                (view->*handler)();
        };
    };
    commands->SetHandler(ID_FILE_PRINT, onView(&CVelmarView::OnFilePrint));
    commands->SetHandler(ID_FILE_PRINT_PREVIEW, onView(&CVelmarView::OnFilePrintPreview));
    commands->SetHandler(ID_FILE_EXPORT_PDF, onView(&CVelmarView::OnFileExportPdf));
    commands->SetHandler(ID_APP_ABOUT, [this] { OnAppAbout(); });
    commands->SetHandler(ID_PORT, [this] { OnPortDialog(); });
    commands->SetHandler(ID_LANGUAGE, [this] { OnLanguage(); });
    commands->SetHandler(ID_EDIT_UNDO, [this] { CEditCommands::Undo(GetVelmarDoc()); });
    commands->SetHandler(ID_EDIT_REDO, [this] { CEditCommands::Redo(GetVelmarDoc()); });
    commands->SetHandler(
        ID_FILE_EXPORT_CHANNELS, [this, frame] { CEditCommands::ExportChannels(frame, GetVelmarDoc()); });
    commands->SetHandler(
        ID_FILE_IMPORT_CHANNELS, [this, frame] { CEditCommands::ImportChannels(frame, GetVelmarDoc()); });
    commands->SetHandler(ID_VERIFY_RADIO, [frame] {
        CVerifyDlg dialog(frame);
        dialog.DoModal();
    });
}

CMainFrame* CVelmarApp::GetMainFrame() const
{
    return qobject_cast<CMainFrame*>(GetMainWnd());
}

CVelmarDoc* CVelmarApp::GetVelmarDoc() const
{
    return dynamic_cast<CVelmarDoc*>(GetDocument());
}

bool CVelmarApp::AskClear()
{
    if (suppressClearPrompt) {
        suppressClearPrompt = false;
        return true;
    }
    return ShowMessageBox(GetMainWnd(), LoadLangString("IDS_WARN_CLEAR"), LoadLangString("IDS_PROMPT"),
               kQuestion)
        == IDOK;
}

void CVelmarApp::ShowWrongSignature()
{
    ShowMessageBox(GetMainWnd(), LoadLangString("IDS_WARN_LOAD"), AppName(), MB_OK | MB_ICONERROR);
}

void CVelmarApp::OnSaveCommand()
{
    CDocument* document = GetDocument();
    if (!document)
        return;
    if (!document->GetPathName().empty()) {
        const std::string text = LoadLangString("IDS_WARN_SAVE") + document->GetPathName();
        if (ShowMessageBox(GetMainWnd(), text, LoadLangString("IDS_PROMPT"), kQuestion) != IDOK)
            return;
    }
    OnFileSave();
    UpdateFrameTitle();
}

void CVelmarApp::UpdateFrameTitle()
{
    if (CMainFrame* frame = GetMainFrame())
        frame->OnUpdateFrameTitle();
}

void CVelmarApp::TranslateMenu()
{
    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return;
    const QList<QAction*> top = frame->menuBar()->actions();
    for (int i = 0; i < 4 && i < top.size(); ++i)
        top.at(i)->setText(Lang(kTopMenuKeys[i]));
    for (const auto& item : kMenuItemKeys) {
        if (QAction* action = frame->Commands()->FindAction(item.id))
            action->setText(Lang(item.key));
    }
    // The greyed entry that stands for an empty recent-file list would
    // otherwise stay in the menu template's language.
    const std::string recent = GetPrivateProfileString("String", "Menu_File_Recent", "", 1000, LanguageFile());
    if (QAction* placeholder = frame->Commands()->RecentFilesPlaceholder(); placeholder && !recent.empty())
        placeholder->setText(QString::fromStdString(recent));
    frame->menuBar()->update();
}

void CVelmarApp::RefreshUi()
{
    TranslateMenu();
    if (CVelmarDoc* document = GetVelmarDoc())
        document->RefreshAll();
}

void CVelmarApp::OnFilePrintSetup()
{
    RunPrintSetup(GetMainWnd());
}

void CVelmarApp::OnAppAbout()
{
    CAboutDlg dialog(GetMainWnd());
    dialog.DoModal();
}

void CVelmarApp::OnLanguage()
{
    CLanguageDlg dialog(GetMainWnd());
    dialog.DoModal();
}
