#pragma once
// INI ("private profile") reading and writing with the semantics the rest of
// the system relies on: case-insensitive section and key names, a default for
// anything absent, values cut to the buffer size minus one byte (never inside
// a UTF-8 character), and lists that end at the first missing key.
// Writes keep every other line and replace the file atomically.
// Format notes: docs/ini-files.md. Safe to call from any thread; each call
// opens and reads the file anew (nothing is cached).

#include <cstddef>
#include <string>
#include <string_view>

// The value of [section] key, or def when the file, section or key is absent,
// cut to at most size - 1 bytes (size 0 gives an empty text). The number of
// bytes returned is what the platform call would report as copied.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
    std::string_view def, std::size_t size, const std::string& file);

// The decimal number at the start of the value (optional sign), 0 when the
// value does not start with one, def when the key is absent.
int GetPrivateProfileInt(std::string_view section, std::string_view key, int def,
    const std::string& file);

// Creates or replaces key=value, creating the section and the file as needed.
// Returns false (and leaves the old file intact) when the file cannot be
// written; error, when given, receives a message naming the file and cause.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
    std::string_view value, const std::string& file, std::string* error = nullptr);
