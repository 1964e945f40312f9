#pragma once
// Helpers every velmar-cli command shares: the settings and language files,
// strict number parsing, and loading and saving data files with one-line errors.

#include <iosfwd>
#include <optional>
#include <string>

class CVelmarDoc;
struct CliContext;

// The settings file chosen with --settings, or setting.ini beside the program.
// Set by main before a command runs.
void SetCliSettingsPath(const std::string& path);

// Makes the language file that goes with the chosen settings file the active
// one, so even argument errors and the help are shown in the user's language.
// A missing settings file leaves the locale's language file (or the built-in
// English) in use; PrepareCliSettings reports it.
void SelectCliLanguage();

// Makes the settings file and its language file (by [setup] language, or by
// the system locale when that is empty; in the settings file's folder) the
// process-wide files. false, with a message on err, when the settings file is
// missing.
bool PrepareCliSettings(std::ostream& err);

// A plain decimal number (digits only, no sign, at most nine digits).
std::optional<int> ParseCliNumber(const std::string& text);

// Loads a data file into doc as the program opens one (new document first).
// false, with a message on err, when the file cannot be read or fails the
// signature test.
bool LoadCliDocument(CVelmarDoc& doc, const std::string& path, std::ostream& err);

// For a command that takes exactly one data file (show, write, verify): checks
// the arguments, prepares the settings and loads the file into doc. kExitOk,
// or the exit code after a message on context.err.
int LoadCliSingleDocument(CliContext& context, const char* command, CVelmarDoc& doc);

// Saves doc atomically to path; false, with a message on err, on failure.
bool SaveCliDocument(CVelmarDoc& doc, const std::string& path, std::ostream& err);

// Whether the model's describers (image compare, CSV import) may take their
// texts from the language file: only when it has every key they use, so a
// missing or partial file gives the built-in English rather than "Not Found".
bool CliDiffNamesLocalized();
bool CliCsvTextsLocalized();

// Prints "velmar-cli: message" as one line.
void CliError(std::ostream& err, const std::string& message);

// The messages several commands give alike: "read: unexpected argument "-x"
// (see --help)" and "read: the output file is missing (-o FILE.dig)".
std::string CliUnexpectedArgument(const std::string& command, const std::string& arg);
std::string CliMissingOutput(const std::string& command, const std::string& hint);
