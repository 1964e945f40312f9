// Frequency codec: any text parses without overflow, every stored value
// formats to a text that parses back to it, and any four stored bytes format
// without reading or writing past them.
// Input: four bytes as stored, four bytes of a 32-bit value, then the text.

#include "fuzz_input.h"
#include "model/bcd_frequency.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    BcdFrequency stored {};
    for (auto& byte : stored)
        byte = input.Byte();
    std::uint32_t raw = 0;
    for (int i = 0; i < 4; ++i)
        raw = raw << 8 | input.Byte();
    std::int32_t value = 0;
    std::memcpy(&value, &raw, sizeof value);
    const std::string_view text = input.Rest();

    const std::string shown = FormatFreqText(stored.data());
    FUZZ_CHECK(stored[3] > 0x99 ? shown.empty() : shown.size() <= 9);

    const std::int32_t parsed = ParseFreqText(text);
    const std::int32_t snapped = SnapToRaster(parsed);
    // The top raster point, 100000000, has nine digits; packing keeps it to eight.
    FUZZ_CHECK(snapped >= 0 && snapped <= 100000000);
    // A raster point is its own snap.
    FUZZ_CHECK(SnapToRaster(snapped) == snapped);

    for (const std::int32_t v : { value, parsed, snapped }) {
        const BcdFrequency packed = PackBcdFrequency(v);
        const std::int32_t kept = v < 0 ? 0 : (v > 99999999 ? 99999999 : v);
        FUZZ_CHECK(ParseFreqText(FormatFreqText(packed.data())) == kept);
        (void)FormatBandLimit(v);
    }
    return 0;
}
