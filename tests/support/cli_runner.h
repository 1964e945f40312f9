#pragma once
// Runs velmar-cli (or any command) through the shell for a test, with its
// standard output and error captured in files of a folder the test owns and
// its exit code decoded; standard input is empty so nothing waits on it.

#include <string>
#include <vector>

struct CliRun
{
    int code = -1; // exit code; -1 when the program died of a signal
    std::string out;
    std::string err;
};

// arg in single quotes, safe to paste into a shell command line.
std::string ShellQuote(const std::string& arg);

// velmar-cli with --settings settings (left out when settings is empty) and
// args; out.txt and err.txt in captureDir hold what it printed. prefix goes
// before the program: environment assignments or a wrapper command.
CliRun RunVelmarCli(const std::string& settings, const std::vector<std::string>& args,
    const std::string& captureDir, const std::string& prefix = {});
