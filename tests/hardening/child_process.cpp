#include "hardening/child_process.h"

#include "support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr auto kChildLimit = std::chrono::seconds(60);

} // namespace

int RunInChild(const std::function<int()>& body, const ChildLimits& limits)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (limits.fileSizeLimit >= 0) {
            // A write past the limit then fails with EFBIG instead of killing the child.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small { static_cast<rlim_t>(limits.fileSizeLimit), static_cast<rlim_t>(limits.fileSizeLimit) };
            if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
                ::_exit(kChildNoPrivDrop);
        }
        if (limits.unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(kChildNoPrivDrop);
        ::_exit(body());
    }
    if (pid < 0)
        return kChildCrashed;
    const auto deadline = std::chrono::steady_clock::now() + kChildLimit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) != pid) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return kChildCrashed;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : kChildCrashed;
}

CliResult RunCli(const std::vector<std::string>& args, const ChildLimits& limits)
{
    TempDir capture;
    // The child may run as nobody: let it write its output files.
    ::chmod(capture.path().c_str(), 0777);
    const std::string outFile = capture.file("out");
    const std::string errFile = capture.file("err");
    CliResult result;
    result.exitCode = RunInChild(
        [&] {
            const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            if (out < 0 || err < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0)
                return 126;
            const std::string program = VELMAR_BIN_DIR "/velmar-cli";
            std::vector<std::string> all { program };
            all.insert(all.end(), args.begin(), args.end());
            std::vector<char*> argv;
            for (std::string& arg : all)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            return 127;
        },
        limits);
    result.out = TempDir::ReadFile(outFile);
    result.err = TempDir::ReadFile(errFile);
    return result;
}
