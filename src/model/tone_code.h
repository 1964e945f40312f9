#pragma once
// Tone texts and the two-byte ToneCode the radio stores (low byte first):
// high byte 0xFF is off; high bit set is DCS (bit 6 set = inverted), the rest
// octal digits; otherwise CTCSS in 0.1 Hz as four BCD digits.

#include <cstdint>
#include <string>
#include <string_view>

// The code as one number: high byte << 8 | low byte.
using ToneCode = std::uint16_t;

constexpr ToneCode kToneOff = 0xFFFF;
// What any malformed DCS text stores.
constexpr ToneCode kToneD023N = 0x8023;

// "88.5" stores 88.5 Hz (clamped to 67.0-254.1 Hz), "D754I" a DCS code; a text
// that starts with neither a digit nor "D"/"d" stores off.
ToneCode ParseToneText(std::string_view text);

// "88.5", "D023N", "D754I", or offText when the high byte is 0xFF.
std::string FormatToneText(ToneCode code, const std::string& offText);
