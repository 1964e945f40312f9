// Tone codec: any text parses to a code whose text parses back to the same
// code, and any stored code formats within bounds.
// Input: two bytes of a stored code, then the text.

#include "fuzz_input.h"
#include "model/tone_code.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const auto stored = static_cast<ToneCode>(input.Byte() << 8 | input.Byte());
    const std::string_view text = input.Rest();
    const std::string off = "Off";

    const std::string shown = FormatToneText(stored, off);
    FUZZ_CHECK(shown.size() <= 6);
    (void)ParseToneText(shown);

    const ToneCode parsed = ParseToneText(text);
    FUZZ_CHECK(ParseToneText(FormatToneText(parsed, off)) == parsed);
    return 0;
}
