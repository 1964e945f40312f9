// INI reader and writer on arbitrary files: a lookup, a number, a list walk,
// then a write whose value must read back unchanged, and the model catalogue
// read from the same file as the settings file.
// Input: one byte (buffer size), section, key and value each ended by a zero
// byte, then the file.

#include "fuzz_input.h"
#include "fuzz_scratch.h"
#include "model/velmar_doc.h"
#include "platform/atomic_file.h"
#include "platform/profile.h"
#include "shell/settings_file.h"

#include <string>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// A value that a reader gives back exactly as written: no blanks at either
// end (the reader trims them) and not wrapped in quotes (the reader strips them).
bool ReadsBackExactly(std::string_view value)
{
    if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back())))
        return false;
    return !(value.size() >= 2 && value.front() == '"' && value.back() == '"');
}

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string file = FuzzScratchFile("setting.ini");
    static const bool settingsSet = (SetSettingsFile(file), true);
    (void)settingsSet;

    FuzzInput input(data, size);
    const std::size_t bufferSize = input.Byte();
    const std::string section(input.Text());
    const std::string key(input.Text());
    const std::string value(input.Text());
    const std::string_view original = input.Rest();
    FuzzWriteFile(file, original);

    const std::string got = GetPrivateProfileString(section, key, "default", bufferSize, file);
    FUZZ_CHECK(bufferSize == 0 ? got.empty() : got.size() < bufferSize);
    // A cut never leaves the start of a character without its continuation:
    // the byte after the cut (if any) is not a continuation byte.
    const std::string whole = GetPrivateProfileString(section, key, "default", 1 << 20, file);
    FUZZ_CHECK(whole.compare(0, got.size(), got) == 0);
    if (got.size() < whole.size() && bufferSize > 0 && whole.size() >= bufferSize)
        FUZZ_CHECK(!IsUtf8Continuation(whole[got.size()]));
    (void)GetPrivateProfileInt(section, key, -7, file);

    // Lists end at the first missing key, so the walk ends within the file's lines.
    int listed = 0;
    while (!GetPrivateProfileString(section, std::to_string(listed), "", 30, file).empty())
        ++listed;
    FUZZ_CHECK(static_cast<std::size_t>(listed) <= original.size());

    CVelmarDoc doc;
    doc.SelectModel(bufferSize % 17);
    FUZZ_CHECK(doc.GetModelIndex() >= 0 && doc.GetModelIndex() <= 15);
    (void)doc.GetBandLimitText(-1);
    (void)doc.GetBandLimitText(1);

    std::string error;
    if (WritePrivateProfileString(section, key, value, file, &error)) {
        if (ReadsBackExactly(value))
            FUZZ_CHECK(GetPrivateProfileString(section, key, "", value.size() + 2, file) == value);
    } else {
        FUZZ_CHECK(!error.empty());
        std::string after;
        FUZZ_CHECK(ReadWholeFile(file, after) && after == original);
    }
    return 0;
}
