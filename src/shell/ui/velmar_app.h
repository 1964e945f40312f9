#pragma once
// The application object: finds setting.ini and the language file at
// start-up, owns the one serial link and the flag that lets the next new
// document skip the clear question, routes every way of opening a data file
// through a silent File New, and carries the menu translation and the
// refresh after the image changed behind the view's back. UI thread only.

#include "platform/ui/win_app.h"
#include "radio/serial_link.h"

#include <QStringList>

#include <memory>
#include <string>

class CMainFrame;
class CVelmarDoc;

class CVelmarApp : public CWinApp {
    Q_OBJECT
public:
    CVelmarApp();
    ~CVelmarApp() override;

    // The one application object, or nullptr.
    static CVelmarApp* Instance();

    // Arguments after the program name, for step "run the command line".
    void SetCommandLine(const QStringList& arguments) { m_arguments = arguments; }

    bool InitInstance() override;
    // Always a freshly reset document first (no clear question), then the file.
    CDocument* OpenDocumentFile(const std::string& path) override;

    // The menu texts from the language file.
    void TranslateMenu();
    // TranslateMenu, then the document's RefreshAll.
    void RefreshUi();

    SerialLink& GetSerialLink() { return m_serialLink; }
    CMainFrame* GetMainFrame() const;
    CVelmarDoc* GetVelmarDoc() const;

    // When true, the next new document is made without the clear question.
    bool suppressClearPrompt = false;

    // Command handlers of the application object.
    void OnAppAbout();
    void OnLanguage();
    // The document's save command: asks before writing over the current file.
    void OnSaveCommand();
    // Port dialog (32773, in src/radio/ui/radio_commands.cpp) and print
    // setup (57606) on the application's printer.
    void OnPortDialog();
    virtual void OnFilePrintSetup();

protected:
    std::unique_ptr<CDocument> CreateDocument() override;
    QMainWindow* CreateMainFrame(CDocument* document) override;
    std::string AppName() const override;

private:
    bool AskClear();
    void ShowWrongSignature();
    void ConnectCommands(CMainFrame* frame);
    void UpdateFrameTitle();

    SerialLink m_serialLink;
    QStringList m_arguments;
};
