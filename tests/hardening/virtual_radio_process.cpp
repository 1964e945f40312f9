#include "hardening/virtual_radio_process.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

bool WaitForExit(int pid, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (::waitpid(pid, nullptr, WNOHANG) != pid) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace

VirtualRadioProcess::VirtualRadioProcess(const std::string& link, const std::vector<std::string>& options)
{
    const std::string program = VELMAR_BIN_DIR "/velmar-radio-sim";
    std::vector<std::string> args { program, "--link", link };
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    // The terminal's path also goes to standard output; the symlink is enough here.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return;
    m_pid = pid;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    struct stat st {};
    while (std::chrono::steady_clock::now() < deadline) {
        if (::lstat(link.c_str(), &st) == 0) {
            m_started = true;
            return;
        }
        if (::waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
            m_pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

VirtualRadioProcess::~VirtualRadioProcess()
{
    if (m_pid < 0)
        return;
    ::kill(m_pid, SIGTERM);
    if (!WaitForExit(m_pid, std::chrono::seconds(5))) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}
