#include "cli/cli_command.h"

#include <string>

namespace {

// A function-local table, so registration from other files' static
// initialisers never runs before it exists.
std::vector<CliCommand>& Table()
{
    static std::vector<CliCommand> commands;
    return commands;
}

} // namespace

bool RegisterCliCommand(const CliCommand& command)
{
    Table().push_back(command);
    return true;
}

const std::vector<CliCommand>& CliCommands()
{
    return Table();
}

const CliCommand* FindCliCommand(const std::string& name)
{
    for (const CliCommand& command : Table())
        if (name == command.name)
            return &command;
    return nullptr;
}
