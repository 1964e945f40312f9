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
    // Also makes link a symlink to the radio's terminal, for tests that name
    // the port by a path of their own.
    RadioSimProcess(const std::string& link, const std::vector<std::string>& args);
    ~RadioSimProcess();
    RadioSimProcess(const RadioSimProcess&) = delete;
    RadioSimProcess& operator=(const RadioSimProcess&) = delete;

    // The slave side of the radio's pseudo-terminal; empty if it did not start.
    const std::string& path() const { return m_path; }
    bool Started() const { return !m_path.empty(); }
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

// What a fresh virtual radio dumps when stopped: the 48-byte file header and
// its 4096 bytes of memory. Asked of the radio once per test program.
const std::string& FreshRadioDump();
