#include "support/cli_runner.h"

#include "support/temp_dir.h"

#include <sys/wait.h>

#include <cstdlib>

std::string ShellQuote(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

CliRun RunVelmarCli(const std::string& settings, const std::vector<std::string>& args,
    const std::string& captureDir, const std::string& prefix)
{
    const std::string outFile = captureDir + "/out.txt";
    const std::string errFile = captureDir + "/err.txt";
    std::string command = prefix + " " + ShellQuote(VELMAR_BIN_DIR "/velmar-cli");
    if (!settings.empty())
        command += " --settings " + ShellQuote(settings);
    for (const std::string& arg : args)
        command += " " + ShellQuote(arg);
    command += " >" + ShellQuote(outFile) + " 2>" + ShellQuote(errFile) + " </dev/null";
    const int status = std::system(command.c_str());
    CliRun result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = TempDir::ReadFile(outFile);
    result.err = TempDir::ReadFile(errFile);
    return result;
}
