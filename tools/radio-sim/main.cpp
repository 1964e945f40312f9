// velmar-radio-sim: a virtual radio on a pseudo-terminal for tests, benchmarks
// and the demo. Prints the terminal's path and serves until SIGTERM or SIGINT.

#include "sim_options.h"
#include "virtual_radio.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

volatile int g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

const char kUsage[] = R"(usage: velmar-radio-sim [options]
A radio on a pseudo-terminal; prints the terminal's path on standard output.
  --link PATH            also make PATH a symlink to the terminal
  --memory FILE.dig      load the memory from a data file (defaults when absent)
  --dump FILE.dig        write the memory there on exit and after each write session
  --log FILE             log every frame in both directions
  --handshake TEXT       answer only handshakes carrying TEXT (default: any)
  --password TEXT        the radio's read password (replaces the memory's)
  --ident-length N       bytes of the identification reply, 0..8 (default 8)
  --password-length N    bytes of the password reply, 0..6 (default 6)
  --no-ack-echo          do not answer the PC's acknowledges
  --pace                 9600-baud wire time for every byte in both directions
faults (ADDR accepts 0x..; :COUNT limits how often it fires, default always):
  --silent               never answer
  --garbage-acks N       precede the first N handshake acknowledges by a garbage byte
  --wrong-address ADDR[:COUNT]   answer the read of that block with a wrong address
  --short-block ADDR[:COUNT]     answer the read of that block with 6 bytes only
  --refuse-write ADDR[:COUNT]    refuse the write of that block (0x15)
  --hangup-after N       pull the cable after N bytes received from the PC
  --silent-after N       stop answering (line kept up) after N bytes received from the PC
  --garbage-between      send one garbage byte after every reply
)";

bool ParseInt(const char* text, long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text, &end, 0);
    return errno == 0 && end != text && *end == '\0';
}

bool ParseFault(const std::string& text, std::map<int, int>& faults)
{
    const std::size_t colon = text.find(':');
    long address = 0;
    long count = -1;
    if (!ParseInt(text.substr(0, colon).c_str(), address) || address < 0 || address > 0xFFF)
        return false;
    if (colon != std::string::npos && (!ParseInt(text.substr(colon + 1).c_str(), count) || count < 0))
        return false;
    faults[static_cast<int>(address)] = static_cast<int>(count);
    return true;
}

bool ParseOptions(int argc, char** argv, SimOptions& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char*& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        const char* v = nullptr;
        long n = 0;
        if (arg == "--pace")
            o.pace = true;
        else if (arg == "--silent")
            o.silent = true;
        else if (arg == "--no-ack-echo")
            o.ackEcho = false;
        else if (arg == "--garbage-between")
            o.garbageBetween = true;
        else if (!value(v)) {
            std::fprintf(stderr, "velmar-radio-sim: unknown option or missing value: %s\n", arg.c_str());
            return false;
        } else if (arg == "--link")
            o.link = v;
        else if (arg == "--memory")
            o.memoryFile = v;
        else if (arg == "--dump")
            o.dumpFile = v;
        else if (arg == "--log")
            o.logFile = v;
        else if (arg == "--handshake")
            o.handshake = v;
        else if (arg == "--password")
            o.password = v;
        else if (arg == "--ident-length" && ParseInt(v, n) && n >= 0 && n <= 8)
            o.identLength = static_cast<int>(n);
        else if (arg == "--password-length" && ParseInt(v, n) && n >= 0 && n <= 6)
            o.passwordLength = static_cast<int>(n);
        else if (arg == "--garbage-acks" && ParseInt(v, n) && n >= 0)
            o.garbageAcks = static_cast<int>(n);
        else if (arg == "--hangup-after" && ParseInt(v, n) && n >= 0)
            o.hangupAfter = n;
        else if (arg == "--silent-after" && ParseInt(v, n) && n >= 0)
            o.silentAfter = n;
        else if (arg == "--wrong-address" && ParseFault(v, o.wrongAddress)) {
        } else if (arg == "--short-block" && ParseFault(v, o.shortBlock)) {
        } else if (arg == "--refuse-write" && ParseFault(v, o.refuseWrite)) {
        } else {
            std::fprintf(stderr, "velmar-radio-sim: bad option %s %s\n", arg.c_str(), v);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    SimOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    // Signals stay blocked except while the radio waits in ppoll, so a stop
    // request is never lost between checking the flag and waiting.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    struct sigaction action
    {
    };
    action.sa_handler = OnSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    VirtualRadio radio(options);
    std::string error;
    if (!radio.LoadMemory(error)) {
        std::fprintf(stderr, "velmar-radio-sim: %s\n", error.c_str());
        return 2;
    }
    const std::string path = radio.OpenTerminal(error);
    if (path.empty()) {
        std::fprintf(stderr, "velmar-radio-sim: %s\n", error.c_str());
        return 2;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);

    const int result = radio.Run(g_stop);
    radio.Dump();
    return result;
}
