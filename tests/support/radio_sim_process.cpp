#include "support/radio_sim_process.h"

#include "support/temp_dir.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

RadioSimProcess::RadioSimProcess(const std::vector<std::string>& args)
{
    const std::string program = VELMAR_BIN_DIR "/velmar-radio-sim";
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    int out[2];
    if (::pipe(out) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        return;
    }
    m_pid = pid;

    // The first line is the terminal's path; give the radio 10 s to print it.
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p { out[0], POLLIN, 0 };
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char c = 0;
        const ssize_t n = ::read(out[0], &c, 1);
        if (n <= 0 || c == '\n')
            break;
        line += c;
    }
    ::close(out[0]);
    m_path = line;
}

namespace {
std::vector<std::string> WithLink(const std::string& link, const std::vector<std::string>& args)
{
    std::vector<std::string> all { "--link", link };
    all.insert(all.end(), args.begin(), args.end());
    return all;
}
}

RadioSimProcess::RadioSimProcess(const std::string& link, const std::vector<std::string>& args)
    : RadioSimProcess(WithLink(link, args))
{
}

RadioSimProcess::~RadioSimProcess()
{
    Stop();
}

bool RadioSimProcess::WaitExit(int ms)
{
    if (m_pid < 0)
        return true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid) {
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            m_pid = -1;
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int RadioSimProcess::Stop()
{
    if (m_pid < 0)
        return m_status;
    ::kill(m_pid, SIGTERM);
    if (!WaitExit(5000)) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
        m_status = -1;
    }
    return m_status;
}

const std::string& FreshRadioDump()
{
    static const std::string dump = [] {
        TempDir d;
        const std::string file = d.file("m.dig");
        {
            RadioSimProcess sim({ "--dump", file });
            sim.Stop();
        }
        return TempDir::ReadFile(file);
    }();
    return dump;
}
