#pragma once
// Runs velmar-radio-sim as a child process for one test: starts it with the
// given options, learns its pseudo-terminal path, and stops it (SIGTERM,
// bounded wait) when the object goes away.

#include <string>
#include <vector>

class RadioSimProcess
{
public:
    explicit RadioSimProcess(const std::vector<std::string>& args);
    ~RadioSimProcess();
    RadioSimProcess(const RadioSimProcess&) = delete;
    RadioSimProcess& operator=(const RadioSimProcess&) = delete;

    // The slave side of the radio's pseudo-terminal; empty if it did not start.
    const std::string& path() const { return m_path; }
    // Asks the radio to stop and waits for it (up to 5 s); returns its exit
    // status, or -1 when it had to be killed.
    int Stop();
    // Waits up to ms for the radio to end by itself (after a hang-up fault).
    bool WaitExit(int ms);

private:
    int m_pid = -1;
    int m_status = -1;
    std::string m_path;
};
