#pragma once
// The 48 bytes in front of the image in the document and in every data file:
// a signature that identifies the file, a version text and reserved bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct FileHeader {
    static constexpr std::size_t kSize = 48;
    // Compared on loading; the version text after it never is.
    static constexpr std::string_view kSignature = "Tavro Radio Program data";
    // What a reset writes at offsets 0-29; offsets 30-47 are left as they are.
    static constexpr std::string_view kResetText = "Tavro Radio Program data v1.03";

    std::array<std::uint8_t, kSize> bytes{};
};
