#pragma once
// Frequency texts and the packed-BCD form the radio stores: four bytes, eight
// digits of the frequency in 10 Hz units, least significant byte first, with
// byte 3 above 0x99 meaning "no frequency". Entered frequencies are snapped
// to the radio's channel raster (6.25 kHz or 5 kHz, whichever is nearer).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using BcdFrequency = std::array<std::uint8_t, 4>;

// The frequency in 10 Hz units of an entered text ("439.125", "439"): the
// digits after the fifth decimal are dropped. Leading blanks and a sign are
// accepted; the first other character ends the number. Saturates at the
// 32-bit limits instead of overflowing.
std::int32_t ParseFreqText(std::string_view text);

// The raster point stored for an entered value (taken as 0..99999999).
std::int32_t SnapToRaster(std::int32_t value);

// Packs the first eight decimal digits of value (values outside
// 0..99999999 are limited to that range first).
BcdFrequency PackBcdFrequency(std::int32_t value);

// "439.12500", "05.00000"; empty when byte 3 is above 0x99.
std::string FormatFreqText(const std::uint8_t* bytes);

// "%03d.%05d" of a limit in 10 Hz units: "100.00000".
std::string FormatBandLimit(std::int32_t limit);
