#pragma once
// The command table of velmar-cli. Each command lives in its own file and
// registers itself with one line at namespace scope, for example
//   [[maybe_unused]] const bool kReadRegistered = RegisterCliCommand({"read", "read [--port N] -o FILE.dig",
//       "read the radio into a data file", RunRead});
// and its .cpp file is listed in the velmar-cli sources (src/cli/CMakeLists.txt).

#include <iosfwd>
#include <string>
#include <vector>

// What a command gets: its own arguments (after the command name, with the
// global options taken out) and the two output streams.
struct CliContext
{
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
};

// Exit codes shared by every command.
enum CliExit : int {
    kExitOk = 0,
    kExitFailure = 1, // a file could not be read or written, or is not a data file
    kExitUsage = 2, // unknown command, option or field, or a value out of range
};

struct CliCommand
{
    const char* name;
    const char* usage; // the synopsis after "velmar-cli "
    const char* summary; // one line for the help, in English; [String] IDS_CLI_SUMMARY_<NAME> translates it
    int (*run)(CliContext& context);
};

// Adds a command; returns true so it can initialise a namespace-scope constant.
bool RegisterCliCommand(const CliCommand& command);

// Registered commands in registration order; nullptr when name is unknown.
const std::vector<CliCommand>& CliCommands();
const CliCommand* FindCliCommand(const std::string& name);
