// Language-file lookups on arbitrary files: a [String] text by a key from the
// input, every list section, the column titles and [Resource] texts.
// Input: the key ended by a zero byte, two bytes of a resource ID, then the file.

#include "fuzz_input.h"
#include "fuzz_scratch.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string file = FuzzScratchFile("english.lang");
    static const bool languageSet = (SetLanguageFile(file), true);
    (void)languageSet;

    FuzzInput input(data, size);
    const std::string key(input.Text());
    const int id = static_cast<std::int16_t>(input.Byte() << 8 | input.Byte());
    const std::string_view text = input.Rest();
    FuzzWriteFile(file, text);

    // Escapes only shorten the text read into 1000 bytes.
    FUZZ_CHECK(LoadLangString(key).size() < 1000);
    FUZZ_CHECK(LoadLangString("IDS_OFF").size() < 1000);
    for (const char* section : { "VoiceAnnunciation", "PttId", "MonitorKey", "ScanMode", "Face" }) {
        const auto entries = LoadLangList(section);
        FUZZ_CHECK(entries.size() <= text.size());
        for (const std::string& entry : entries)
            FUZZ_CHECK(!entry.empty() && entry.size() < 30);
    }
    for (int column = -1; column <= 12; ++column)
        FUZZ_CHECK(LoadChText(column).size() < 30);
    FUZZ_CHECK(LoadResourceText(id).size() < 1024);
    FUZZ_CHECK(LoadResourceText(-1) == LoadResourceText(65535));
    return 0;
}
