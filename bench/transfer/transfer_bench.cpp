// velmar-bench-transfer: times a full read and a full write against
// velmar-radio-sim --pace (9600-baud wire time, acknowledges echoed) and
// compares each with its lower bound: the wire time of every byte exchanged
// plus the protocol's own delays (100 ms after opening, 1 ms before each
// write, 1000 ms after the last written block). Also reports the CPU time
// this program used. Exits 1 when a transfer fails or misses its goals
// (within 15% of the bound, CPU under 5% of wall time).

#include "platform/profile.h"
#include "radio/clone_protocol.h"
#include "radio/serial_link.h"
#include "radio/transfer_job.h"
#include "radio/transfer_worker.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kByteMs = 10.0 * 1000.0 / 9600.0;
constexpr double kOpenDelayMs = 100.0;
constexpr double kWriteDelayMs = 1.0;
constexpr double kSettleAfterWriteMs = 1000.0;

struct Radio
{
    pid_t pid = -1;
    std::string path;
};

Radio StartRadio(const std::string& log)
{
    Radio radio;
    std::vector<std::string> args { VELMAR_RADIO_SIM, "--pace", "--log", log };
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0)
        return radio;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (posix_spawn(&radio.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        radio.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    char c = 0;
    pollfd p { out[0], POLLIN, 0 };
    while (radio.pid > 0 && ::poll(&p, 1, 10000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n')
        radio.path += c;
    ::close(out[0]);
    return radio;
}

void StopRadio(Radio& radio)
{
    if (radio.pid > 0) {
        ::kill(radio.pid, SIGTERM);
        ::waitpid(radio.pid, nullptr, 0);
    }
    radio.pid = -1;
}

// Bytes on the wire in both directions and the number of frames the PC sent
// (each one write with its leading delay), from the radio's frame log.
void CountTraffic(const std::string& log, long& bytes, long& pcFrames)
{
    bytes = 0;
    pcFrames = 0;
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line.substr(0, line.find(';')));
        std::string from, hex;
        words >> from;
        long n = 0;
        while (words >> hex)
            ++n;
        bytes += n;
        if (from == "PC" && n > 0)
            ++pcFrames;
    }
}

double CpuMs()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

bool Measure(const char* name, int isRead, const std::string& folder)
{
    const std::string log = folder + "/" + name + ".log";
    const std::string ini = folder + "/setting.ini";
    Radio radio = StartRadio(log);
    if (radio.path.empty()) {
        std::fprintf(
            stderr, "velmar-bench-transfer: the virtual radio did not start (%s)\n", VELMAR_RADIO_SIM);
        StopRadio(radio);
        return false;
    }
    std::ofstream(ini) << "[setup]\ncom=1\nsearchcom=0\ncommunication=VLMPROG\npassword=1\n[ports]\nCOM1="
                       << radio.path << "\n";

    std::array<unsigned char, 4096> image {};
    image.fill(0xFF);
    SerialLink link;
    link.SetSettingsPath(ini);
    TransferJob job;
    job.port = &link;
    job.settingsPath = ini;
    job.isRead = isRead;
    job.image = image.data();

    const double cpuStart = CpuMs();
    const Clock::time_point start = Clock::now();
    std::atomic<bool> done { false };
    std::thread worker([&] {
        TransferWorker(&job);
        done = true;
    });
    // Polled like the transfer dialog polls its job.
    while (!done)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    worker.join();
    if (!isRead && job.status == WriteDone)
        CloneProtocol(link, ini).SendEndCommand();
    const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double cpuMs = CpuMs() - cpuStart;
    link.Close();
    // Let the radio log the last frame before it is counted.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    StopRadio(radio);

    const int expected = isRead ? ReadDone : WriteDone;
    if (job.status != expected) {
        std::printf("%-5s failed with status %d\n", name, job.status.load());
        return false;
    }
    long bytes = 0, pcFrames = 0;
    CountTraffic(log, bytes, pcFrames);
    const double boundMs
        = bytes * kByteMs + kOpenDelayMs + pcFrames * kWriteDelayMs + (isRead ? 0.0 : kSettleAfterWriteMs);
    const double ratio = wallMs / boundMs;
    const double cpuShare = cpuMs / wallMs;
    std::printf(
        "%-5s wall %7.1f ms  bound %7.1f ms (%ld bytes, %ld PC frames)  ratio %.3f  CPU %6.1f ms (%.2f%%)\n",
        name, wallMs, boundMs, bytes, pcFrames, ratio, cpuMs, cpuShare * 100.0);
    const bool ok = ratio <= 1.15 && cpuShare < 0.05;
    if (!ok)
        std::printf("%-5s misses its goal (ratio at most 1.15, CPU under 5%% of wall)\n", name);
    return ok;
}

} // namespace

int main()
{
    char pattern[] = "/tmp/velmar-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = pattern;
    const bool read = Measure("read", 1, folder);
    const bool write = Measure("write", 0, folder);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return read && write ? 0 : 1;
}
