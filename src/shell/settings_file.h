#pragma once
// The two process-wide file paths: the settings file (setting.ini) and the
// active language file. Set at start-up (and the language file by the language
// dialog); read from any thread. A returned reference stays valid and unchanged
// until exit, so a reader never sees a path being replaced under it.

#include <string>

const std::string& SettingsFile();
void SetSettingsFile(const std::string& path);

const std::string& LanguageFile();
void SetLanguageFile(const std::string& path);

// The language file that goes with the settings file at settingsPath: the
// [setup] language entry, or by the system locale when that is empty (or the
// file is missing), named <language>.lang in the settings file's folder.
std::string LanguageFileForSettings(const std::string& settingsPath);
