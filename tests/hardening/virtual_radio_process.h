#pragma once
// velmar-radio-sim as a child process for one fault-injection test: started
// with the given options, its pseudo-terminal reached through a symlink, and
// stopped (SIGTERM, then SIGKILL after a bounded wait) when the object goes.

#include <string>
#include <vector>

class VirtualRadioProcess {
public:
    // link is the symlink the radio makes to its terminal; the constructor
    // waits (at most 10 s) until it exists.
    VirtualRadioProcess(const std::string& link, const std::vector<std::string>& options);
    ~VirtualRadioProcess();
    VirtualRadioProcess(const VirtualRadioProcess&) = delete;
    VirtualRadioProcess& operator=(const VirtualRadioProcess&) = delete;

    bool Started() const { return m_started; }

private:
    int m_pid = -1;
    bool m_started = false;
};
