// velmar-cli: the scriptable front end over the Qt-free core.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/cli_text.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The help in blocks of a few lines each, so every block fits the 1000 bytes a
// language file entry is read into, in Chinese too.
void PrintUsage(std::ostream& out)
{
    out << CliText("IDS_CLI_HELP_USAGE", "usage: velmar-cli [--settings FILE] COMMAND [ARGS]\n\ncommands:")
        << '\n';
    for (const CliCommand& command : CliCommands())
        out << "  " << command.usage << "\n      "
            << CliText("IDS_CLI_SUMMARY_" + Upper(command.name), command.summary) << '\n';
    out << '\n'
        << CliText("IDS_CLI_HELP_OPTIONS",
               "options:\n"
               "  --settings FILE  the setting.ini to use (model catalogue, channel rows, language);\n"
               "                   default: setting.ini beside the program or in VELMAR_HOME.\n"
               "                   The language file is taken from the same folder.\n"
               "  --help           this text")
        << "\n\n"
        << CliText("IDS_CLI_HELP_CHANNEL_FIELDS",
               "set fields (several may be given; they are applied in order):\n"
               "  channel fields, after --channel N (1-16); the text goes through the channel\n"
               "  table's rules (band edge, raster, simplex and same-tone follow; empty clears):\n"
               "    rxFreq txFreq rxTone txTone      any text, e.g. rxFreq=439.125 rxTone=88.5 txTone=D023N\n"
               "    option5 narrowBand highPower option8 option9 option10 option11   0 or 1\n"
               "  a cell the table shows read-only is refused: every field but rxFreq of an\n"
               "  empty channel, and txTone while txFreq is empty")
        << "\n  "
        << CliText("IDS_CLI_HELP_SETTING_FIELDS",
               "settings (stored value or list index):\n"
               "    squelchLevel 0-9, txTimeout 0-10, voxLevel 0-9, voxDelay 0-6,\n"
               "    sideKey1 sideKey2 sideKey1Long sideKey2Long 0-15, voiceAnnunciation 0-2,\n"
               "    pttId 0-3, scanMode 0-1, beep 0-1, batterySave 0-1,\n"
               "    priorityChannel 0 (none) or a non-empty channel 1-16,\n"
               "    txStartCode txEndCode up to 15 of 0-9 A-D, readPassword up to 6 letters and digits")
        << "\n\n"
        << CliText("IDS_CLI_HELP_EXIT_CODES",
               "exit codes:\n"
               "  0  success\n"
               "  1  a file could not be read or written, or is not a radio data file\n"
               "  2  usage error: unknown command, option or field, or a value out of range\n"
               "  3  no radio: the port cannot be opened or nothing answered (read, write, verify)\n"
               "  4  the radio's identification was incomplete (read, write, verify)")
        << "\n  "
        << CliText("IDS_CLI_HELP_EXIT_CODES_2",
               "5  the radio's read password differs (read, verify)\n"
               "  6  reading failed part way (read, verify)\n"
               "  7  writing failed part way (write)\n"
               "  8  cancelled with Ctrl+C (read, write, verify)\n"
               "  9  the radio differs from the data file (verify)")
        << '\n'
        << CliText("IDS_CLI_HELP_FOOTER",
               "diff gives 0 when the files are equal, 1 when they differ, 2 on any trouble.\n"
               "A failed command leaves its data file untouched.")
        << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    std::string settings;
    bool help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--settings") {
            if (i + 1 >= argc) {
                CliError(std::cerr, CliText("IDS_CLI_SETTINGS_NEEDS_FILE", "--settings needs a file name"));
                return kExitUsage;
            }
            settings = argv[++i];
        } else {
            args.push_back(arg);
        }
    }
    // The language follows the settings file, so from here on every message is
    // in the user's language.
    SetCliSettingsPath(settings);
    SelectCliLanguage();
    if (help) {
        PrintUsage(std::cout);
        return kExitOk;
    }
    if (args.empty()) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    const CliCommand* command = FindCliCommand(args.front());
    if (!command) {
        CliError(std::cerr,
            CliText("IDS_CLI_UNKNOWN_COMMAND", "unknown command \"%s\" (see --help)", { args.front() }));
        return kExitUsage;
    }
    CliContext context { { args.begin() + 1, args.end() }, std::cout, std::cerr };
    return command->run(context);
}
