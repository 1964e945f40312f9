#pragma once
// Runs code or velmar-cli in a forked child under the limits a test needs to
// provoke write failures: without root's right to ignore permissions (tests
// run as root), or with a small file-size limit that makes any write past it
// fail as a full disk would. A child that hangs is killed after 60 s.

#include <functional>
#include <string>
#include <vector>

struct ChildLimits {
    bool unprivileged = false; // as user and group nobody when running as root
    long fileSizeLimit = -1;   // bytes, RLIMIT_FSIZE; -1 leaves it alone
};

// Exit codes with a meaning of their own.
constexpr int kChildCrashed = -1;  // killed by a signal, or hung and killed
constexpr int kChildNoPrivDrop = 77; // the privileges could not be dropped

// body's return value is the child's exit code.
int RunInChild(const std::function<int()>& body, const ChildLimits& limits = {});

struct CliResult {
    int exitCode = kChildCrashed;
    std::string out;
    std::string err;
};

// velmar-cli with args, its output captured.
CliResult RunCli(const std::vector<std::string>& args, const ChildLimits& limits = {});
