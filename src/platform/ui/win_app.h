#pragma once
// The application half of the single-document framework: one document, one
// main frame, and the flow of File New, Open, Save and Save As with the
// save-changes question, the open and save dialogs, the recent-file list,
// the command line and dropped files. Derived applications create the
// document and the frame and decide what happens at start-up. UI thread only.

#include "platform/document.h"

#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <string>

class RecentFileList;

class CWinApp : public QObject {
    Q_OBJECT
public:
    CWinApp();
    ~CWinApp() override;

    // The one application object, or nullptr.
    static CWinApp* AfxGetApp();

    virtual bool InitInstance() = 0;

    // Loads a file into the document (making the frame first if needed):
    // the save-changes question when the document is modified, then the
    // document's OnOpenDocument, then the views' initial update. nullptr when
    // the user cancelled or the file could not be read (the user was told).
    virtual CDocument* OpenDocumentFile(const std::string& path);

    // File New: save-changes question, the document's OnNewDocument, the
    // views' initial update. false when cancelled or refused.
    bool OnFileNew();
    // File Open: the open dialog, then OpenDocumentFile.
    void OnFileOpen();
    // File Save: straight to the file when the document has a path, else as Save As.
    bool OnFileSave();
    // File Save As: the save dialog, then the write.
    bool OnFileSaveAs();
    // The save-changes question for a modified document: Yes saves, No goes
    // on, Cancel stops. true to go on.
    bool SaveModified();

    // True when path can be read; otherwise tells the user why, drops the
    // path from the recent-file list and returns false.
    bool CheckReadable(const std::string& path);

    // Runs the command line (arguments without the program name): the first
    // argument that is not an option is a file to open; without one, File New.
    bool ProcessShellCommand(const QStringList& arguments);

    QMainWindow* GetMainWnd() const { return m_mainWnd; }
    CDocument* GetDocument() const { return m_document.get(); }
    RecentFileList* GetRecentFileList() const { return m_recentFiles; }

protected:
    // Loads the recent-file list of the given size from the user's settings.
    void LoadStdProfileSettings(int recentFileCount);

    virtual std::unique_ptr<CDocument> CreateDocument() = 0;
    // Creates the main frame with its view attached to document.
    virtual QMainWindow* CreateMainFrame(CDocument* document) = 0;

    // The caption of the framework's own messages.
    virtual std::string AppName() const;

private:
    bool EnsureFrame(bool* created);
    void InitialUpdateViews();
    bool DoSave(const std::string& path);

    std::unique_ptr<CDocument> m_document;
    QPointer<QMainWindow> m_mainWnd;
    RecentFileList* m_recentFiles = nullptr;
};
