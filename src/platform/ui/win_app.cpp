#include "platform/ui/win_app.h"

#include "platform/atomic_file.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/recent_file_list.h"
#include "platform/ui/view.h"
#include "shell/lang_string.h"
#include "templates/command_ids.h"
#include "templates/document_string.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QString>

#include <cstdio>
#include <string>

namespace {
CWinApp* g_app = nullptr;

// A language-file text with %s replaced by arg.
std::string Format(const char* key, const std::string& arg)
{
    std::string text = LoadLangString(key);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, arg);
    return text;
}
}

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    // The frame and its views go first: views leave the document on the way.
    delete m_mainWnd.data();
    m_document.reset();
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* CWinApp::AfxGetApp()
{
    return g_app;
}

std::string CWinApp::AppName() const
{
    return QGuiApplication::applicationDisplayName().toStdString();
}

void CWinApp::LoadStdProfileSettings(int recentFileCount)
{
    if (!m_recentFiles) {
        m_recentFiles = new RecentFileList(recentFileCount, this);
        connect(m_recentFiles, &RecentFileList::fileChosen, this,
            [this](const QString& path) { OpenDocumentFile(path.toStdString()); });
    }
    m_recentFiles->Load();
}

bool CWinApp::EnsureFrame(bool* created)
{
    *created = false;
    if (!m_document)
        m_document = CreateDocument();
    if (!m_mainWnd) {
        m_mainWnd = CreateMainFrame(m_document.get());
        *created = true;
    }
    return m_document && m_mainWnd;
}

void CWinApp::InitialUpdateViews()
{
    if (!m_document)
        return;
    // Copy: a view's update may add or remove views.
    const std::vector<CDocumentView*> views = m_document->Views();
    for (CDocumentView* v : views) {
        if (auto* view = dynamic_cast<CView*>(v))
            view->OnInitialUpdate();
        else
            v->OnUpdate(nullptr, 0);
    }
}

bool CWinApp::OnFileNew()
{
    if (m_document && !SaveModified())
        return false;
    bool created = false;
    if (!EnsureFrame(&created))
        return false;
    if (!m_document->OnNewDocument()) {
        if (created)
            delete m_mainWnd.data();
        return false;
    }
    InitialUpdateViews();
    return true;
}

void CWinApp::OnFileOpen()
{
    FileDialogRequest request;
    request.filter = MainDocumentString().filterName;
    const std::string path = AskFileName(m_mainWnd, request);
    if (!path.empty())
        OpenDocumentFile(path);
}

CDocument* CWinApp::OpenDocumentFile(const std::string& path)
{
    if (m_document && !SaveModified())
        return nullptr;
    bool created = false;
    if (!EnsureFrame(&created))
        return nullptr;
    std::string error;
    if (!m_document->OnOpenDocument(path, &error)) {
        ShowMessageBox(m_mainWnd, Format("IDS_ERROR_FILEOPEN", path) + "\n" + error, AppName(),
            MB_OK | MB_ICONERROR);
        if (m_recentFiles)
            m_recentFiles->Remove(QString::fromStdString(path));
        if (created)
            delete m_mainWnd.data();
        else
            InitialUpdateViews();
        return nullptr;
    }
    if (m_recentFiles)
        m_recentFiles->Add(QString::fromStdString(m_document->GetPathName()));
    InitialUpdateViews();
    return m_document.get();
}

bool CWinApp::CheckReadable(const std::string& path)
{
    std::string bytes;
    std::string error;
    if (ReadWholeFile(path, bytes, &error))
        return true;
    ShowMessageBox(m_mainWnd, Format("IDS_ERROR_FILEOPEN", path) + "\n" + error, AppName(),
        MB_OK | MB_ICONERROR);
    if (m_recentFiles)
        m_recentFiles->Remove(QString::fromStdString(path));
    return false;
}

bool CWinApp::SaveModified()
{
    if (!m_document || !m_document->IsModified())
        return true;
    const int answer = ShowMessageBox(m_mainWnd, Format("IDS_SAVE_CHANGES", m_document->GetTitle()),
        AppName(), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDNO)
        return true;
    return OnFileSave();
}

bool CWinApp::OnFileSave()
{
    if (!m_document)
        return false;
    if (m_document->GetPathName().empty())
        return OnFileSaveAs();
    return DoSave(m_document->GetPathName());
}

bool CWinApp::OnFileSaveAs()
{
    if (!m_document)
        return false;
    FileDialogRequest request;
    request.save = true;
    request.filter = MainDocumentString().filterName;
    std::string name = m_document->GetPathName();
    if (name.empty()) {
        name = m_document->GetTitle();
        const std::string ext = MainDocumentString().filterExt;
        if (name.find('.') == std::string::npos)
            name += ext;
    }
    request.defaultName = name;
    const std::string path = AskFileName(m_mainWnd, request);
    if (path.empty())
        return false;
    return DoSave(path);
}

bool CWinApp::DoSave(const std::string& path)
{
    std::string error;
    if (!m_document->OnSaveDocument(path, &error)) {
        ShowMessageBox(m_mainWnd, Format("IDS_ERROR_FILESAVE", path) + "\n" + error, AppName(),
            MB_OK | MB_ICONERROR);
        return false;
    }
    if (m_recentFiles)
        m_recentFiles->Add(QString::fromStdString(m_document->GetPathName()));
    return true;
}

bool CWinApp::ProcessShellCommand(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-')))
            continue;
        return OpenDocumentFile(argument.toStdString()) != nullptr;
    }
    return OnFileNew();
}
