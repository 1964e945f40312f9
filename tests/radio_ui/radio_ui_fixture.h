#pragma once
// A started application on a private VELMAR_HOME whose setting.ini maps COM
// numbers to the virtual radio (every other COM1..COM255 to a missing
// device), the radio as a child process with a frame log, a memory file and a
// dump, every message box recorded and answered, and a driver for the modal
// dialogs a command opens.

#include "support/message_box_script.h"
#include "support/radio_frame_log.h"
#include "support/radio_sim_process.h"
#include "support/velmar_home.h"

#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class CVelmarApp;
class CVelmarDoc;
class QWidget;

using Memory = std::array<std::uint8_t, 4096>;

// A pseudo-terminal of the test's own: a port that exists, opens, and
// answers nothing.
class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
    const std::string& path() const { return m_path; }

private:
    int m_master = -1;
    std::string m_path;
};

class RadioUiFixture : public ::testing::Test {
protected:
    RadioUiFixture();
    ~RadioUiFixture() override;

    // The memory a fresh virtual radio holds, with test markers: channel 1
    // and the squelch level changed, calibration values 0, 255, 10, 20, 30, 40.
    static Memory MarkedMemory();

    // Starts the radio on memory with a log and a dump, plus args.
    void StartRadio(const Memory& memory, std::vector<std::string> args = {});
    // setting.ini: [setup] defaults (com=1, searchcom=0, password=0,
    // testpw=secret, language=english) overridden by setup; COMn = path for
    // the given ports (default: COM1 on the radio).
    void WriteSettings(const std::map<std::string, std::string>& setup = {});
    void WriteSettings(const std::map<std::string, std::string>& setup, const std::map<int, std::string>& ports);
    // Starts the application; the test fails when start-up fails.
    void StartApp();

    // Runs the command; while it runs, tick is called every 10 ms with the
    // active modal dialog until it returns true. After limitMs every dialog
    // still open is rejected, and the test fails.
    void RunCommand(int commandId, const std::function<bool(QWidget*)>& tick, int limitMs = 20000);
    // Runs modal (a dialog's DoModal or a command) under the same driver.
    void Drive(const std::function<void()>& modal, const std::function<bool(QWidget*)>& tick, int limitMs = 20000);
    // Clicks control id of dialog from the event loop, so a click that runs a
    // modal dialog or blocks does not run inside the driver's tick.
    static void ClickLater(QWidget* dialog, int id);
    static void ClickNow(QWidget* dialog, int id);
    static QString ControlText(QWidget* dialog, int id);

    std::vector<LoggedFrame> Frames() const;
    int CountPcFrames(unsigned char first) const;
    // Waits up to ms for the radio to log count PC frames starting with first
    // (it logs what it has read, a moment after the PC wrote it).
    bool WaitForPcFrames(unsigned char first, int count, int ms = 2000) const;
    Memory StopAndReadMemory();
    std::string SetupValue(const std::string& key) const;

    CVelmarApp* App() const { return m_app.get(); }
    CMainFrame* Frame() const;
    CVelmarDoc* Doc() const;

    VelmarHome home;
    std::string ini = home.file("setting.ini");
    std::string logFile = home.file("radio.log");
    std::string dumpFile = home.file("radio.dig");
    std::string memoryFile = home.file("memory.dig");
    std::unique_ptr<RadioSimProcess> radio;
    std::vector<MessageBoxRecord> boxes;

private:
    MessageBoxScript m_boxScript { boxes };
    std::unique_ptr<CVelmarApp> m_app;
};

// The language text of key (from the english.lang the fixture installs).
std::string Text(const char* key);
