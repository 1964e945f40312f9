#pragma once
// Helpers every velmar-cli command shares: the settings and language files,
// strict number parsing, and loading and saving data files with one-line errors.

#include <iosfwd>
#include <optional>
#include <string>

class CVelmarDoc;

// The settings file chosen with --settings, or setting.ini beside the program.
// Set by main before a command runs.
void SetCliSettingsPath(const std::string& path);

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

// Saves doc atomically to path; false, with a message on err, on failure.
bool SaveCliDocument(CVelmarDoc& doc, const std::string& path, std::ostream& err);

// Prints "velmar-cli: message" as one line.
void CliError(std::ostream& err, const std::string& message);
