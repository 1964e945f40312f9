#pragma once
// The 4096-byte mirror of the radio's configuration memory, laid out exactly
// as the radio stores it. Only CVelmarDoc interprets it; the radio link and the
// data file move it byte for byte. Map: docs/data-file.md.

#include <array>
#include <cstddef>
#include <cstdint>

struct RadioImage {
    static constexpr std::size_t kSize = 4096;

    // Channel n (1-16) occupies the 16 bytes at kChannelSize * n.
    static constexpr int kChannelCount = 16;
    static constexpr std::size_t kChannelSize = 16;
    static constexpr std::size_t kRxFreq = 0;
    static constexpr std::size_t kTxFreq = 4;
    static constexpr std::size_t kRxTone = 8;
    static constexpr std::size_t kTxTone = 10;
    static constexpr std::size_t kChannelFlags = 12;

    static constexpr std::size_t kTxStartCode = 0x3A0;
    static constexpr std::size_t kPttCodeLength = 15;
    static constexpr std::size_t kReadPassword = 0x3B0;
    static constexpr std::size_t kPasswordLength = 6;
    static constexpr std::size_t kSettingFlags = 0x3C0;
    static constexpr std::size_t kSquelchLevel = 0x3C1;
    static constexpr std::size_t kSideKey1 = 0x3C2;
    static constexpr std::size_t kTxTimeout = 0x3C3;
    static constexpr std::size_t kVoxLevel = 0x3C4;
    static constexpr std::size_t kSideKey2 = 0x3C5;
    static constexpr std::size_t kPriorityChannel = 0x3C6;
    static constexpr std::size_t kVoxDelay = 0x3C7;
    static constexpr std::size_t kSideKey1Long = 0x3C8;
    static constexpr std::size_t kSideKey2Long = 0x3C9;
    static constexpr std::size_t kModelTag = 0x3D0;
    static constexpr std::size_t kModelId = 0x3D8;
    static constexpr std::size_t kTxEndCode = 0x3E0;
    static constexpr std::size_t kPowerCalibration = 0x3F0;
    static constexpr std::size_t kCalibrationCount = 6;
    static constexpr std::size_t kCalibrationPoint = 0x3F6;

    // Bytes 0x000-0x3EF travel in a normal transfer with the radio.
    static constexpr std::size_t kClonedSize = 0x3F0;

    std::array<std::uint8_t, kSize> bytes{};
};
