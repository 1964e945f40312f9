#pragma once
// Text conversions of the SymbolCode fields: the two PTT-ID codes (digits and
// A-D, up to 15 characters) and the read password (digits and letters, case
// kept, up to 6). Unused positions hold 0xFF.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using PttCodeBytes = std::array<std::uint8_t, 15>;
using PasswordBytes = std::array<std::uint8_t, 6>;

// Digits map to 0-9, "A"-"D" and "a"-"d" to 10-13; the first other character
// (or the end of the text) ends the code, all later positions get 0xFF.
PttCodeBytes PttCodeFromText(std::string_view text);
// The characters of the bytes up to the first one above 13 ("0"-"9", "A"-"D").
std::string PttCodeToText(const std::uint8_t* codes, std::size_t count);

// Digits map to 0-9, "A"-"Z" to 10-35, "a"-"z" to 36-61; the first other
// character ends the password, later positions get 0xFF.
PasswordBytes PasswordFromText(std::string_view text);
// The characters of the bytes up to the first one above 61.
std::string PasswordToText(const std::uint8_t* codes, std::size_t count);
