// velmar-cli print: the channel table of a data file into a PDF. Printing
// needs the GUI's painters, so this runs the sibling program
// "velmar --print-pdf" found beside velmar-cli and passes its outcome on.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/cli_text.h"
#include "platform/paths.h"
#include "shell/settings_file.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The folder of this executable itself; VELMAR_HOME moves the settings, not the programs.
std::string OwnFolder()
{
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0)
        return ".";
    path.resize(static_cast<std::size_t>(length));
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

int RunPrint(CliContext& context)
{
    std::string input;
    std::string output;
    const auto& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--output") {
            if (i + 1 >= args.size()) {
                CliError(
                    context.err, CliText("IDS_CLI_PRINT_NEEDS_FILE", "print: %s needs a file name", { arg }));
                return kExitUsage;
            }
            output = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            CliError(context.err,
                CliText("IDS_CLI_PRINT_BAD_OPTION", "print: unexpected option \"%s\" (see --help)", { arg }));
            return kExitUsage;
        } else if (input.empty()) {
            input = arg;
        } else {
            CliError(context.err, CliUnexpectedArgument("print", arg));
            return kExitUsage;
        }
    }
    if (input.empty()) {
        CliError(context.err,
            CliText("IDS_CLI_PRINT_NO_INPUT", "print: the data file is missing (print FILE.dig -o OUT.pdf)"));
        return kExitUsage;
    }
    if (output.empty()) {
        CliError(context.err, CliMissingOutput("print", "-o OUT.pdf"));
        return kExitUsage;
    }
    if (!PrepareCliSettings(context.err))
        return kExitFailure;

    const std::string program = JoinPath(OwnFolder(), "velmar");
    if (access(program.c_str(), X_OK) != 0) {
        CliError(context.err,
            CliText("IDS_CLI_PRINT_NO_GUI", "print needs the program velmar beside velmar-cli: %s: %s",
                { program, std::strerror(errno) }));
        return kExitFailure;
    }
    // The same settings file this command uses, whatever folder the GUI would look in.
    std::vector<std::string> words = { program, "--print-pdf", input, output, "--settings", SettingsFile() };
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    context.out.flush();
    context.err.flush();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (spawned != 0) {
        CliError(context.err,
            CliText("IDS_CLI_PRINT_SPAWN", "cannot start %s: %s", { program, std::strerror(spawned) }));
        return kExitFailure;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            CliError(context.err,
                CliText("IDS_CLI_PRINT_LOST", "lost the print process: %s", { std::strerror(errno) }));
            return kExitFailure;
        }
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    CliError(context.err,
        CliText("IDS_CLI_PRINT_SIGNAL", "velmar ended abnormally while printing (signal %d)",
            { WIFSIGNALED(status) ? WTERMSIG(status) : 0 }));
    return kExitFailure;
}

[[maybe_unused]] const bool kPrintRegistered = RegisterCliCommand({ "print", "print FILE.dig -o OUT.pdf",
    "print the channel table into a PDF file (runs velmar --print-pdf)", RunPrint });

} // namespace
