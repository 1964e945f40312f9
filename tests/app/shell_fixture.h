#pragma once
// A started application on a private VELMAR_HOME: setting.ini and language
// files in a temp folder, every message box and file dialog answered by the
// test and recorded, and the application torn down afterwards.

#include "support/file_dialog_script.h"
#include "support/message_box_script.h"
#include "support/velmar_home.h"

#include <QStringList>

#include <deque>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class CVelmarApp;
class CVelmarDoc;

// A small language file with texts the tests can recognise.
std::string TestLanguage(const std::string& disp, const std::string& menuFile,
    const std::string& extraStrings = "");

// A 4144-byte data file: the signature, then an image with channel 1's first
// byte set to marker.
std::string DataFileBytes(unsigned char marker, const std::string& signature = "Tavro Radio Program data");

class ShellFixture {
public:
    ShellFixture();
    ~ShellFixture();
    ShellFixture(const ShellFixture&) = delete;
    ShellFixture& operator=(const ShellFixture&) = delete;

    // Writes setting.ini with the given [setup] lines (empty text: no file).
    void WriteSettings(const std::string& setupLines);
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string Path(const std::string& name) const { return m_home.file(name); }
    std::string Home() const { return m_home.path(); }

    // Starts the application with the given command line; false when start-up failed.
    bool Start(const QStringList& arguments = {});

    CVelmarApp* App() const { return m_app.get(); }
    CMainFrame* Frame() const;
    CVelmarDoc* Doc() const;

    // Message boxes seen so far, and the answers given to the next ones
    // (IDOK once the queue is empty).
    std::vector<MessageBoxRecord> boxes;
    std::deque<int> answers;
    // File dialogs seen so far, and the paths returned to the next ones
    // (empty, that is cancelled, once the queue is empty).
    std::vector<FileDialogRequest> fileDialogs;
    std::deque<std::string> chosenFiles;

private:
    VelmarHome m_home;
    MessageBoxScript m_boxScript { boxes, &answers };
    FileDialogScript m_dialogScript { fileDialogs, chosenFiles };
    std::unique_ptr<CVelmarApp> m_app;
};
