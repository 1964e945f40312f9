#pragma once
// Text lookups in the active language file. Every user-visible text comes
// from here at the moment it is shown; nothing is cached.

#include <string>
#include <string_view>
#include <vector>

// [String] key (read into 1000 bytes), "Not Found" when absent, with the
// two-character escapes backslash-n and backslash-t turned into line feed and tab.
std::string LoadLangString(std::string_view key);

// A list section ([VoiceAnnunciation], [PttId], [MonitorKey], [ScanMode]):
// the values of keys "0", "1", ... (each read into 30 bytes) up to the first
// missing or empty key.
std::vector<std::string> LoadLangList(std::string_view section);

// [ChText] IDS_ChText<column> (read into 30 bytes); empty when absent.
std::string LoadChText(int column);

// [Resource] text for a dialog or control ID (read into 1024 bytes, no escapes);
// empty when absent. An ID of -1 is looked up as "65535".
std::string LoadResourceText(int id);
