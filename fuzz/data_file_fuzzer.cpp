// Data-file loader on arbitrary bytes: loading changes exactly what the file
// carries (nothing after a wrong signature), every getter and table cell stays
// in range, a channel commit with text from the input is safe, and storing
// gives a 4144-byte file that loads back to the same document.
// Input: the file itself (its last bytes double as the edited cell's text).

#include "fuzz_input.h"
#include "model/channel_edit.h"
#include "model/velmar_doc.h"
#include "platform/archive.h"
#include "shell/settings_file.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

void CheckGetters(const CVelmarDoc& doc)
{
    for (int n = -1; n <= RadioImage::kChannelCount + 2; ++n) {
        for (bool rx : { true, false }) {
            FUZZ_CHECK(doc.GetFreqText(n, rx).size() <= 9);
            FUZZ_CHECK(doc.GetToneText(n, rx).size() < 1000);
        }
        (void)doc.IsSimplex(n);
        (void)doc.IsSameTone(n);
        FUZZ_CHECK(doc.GetNarrowBand(n) == 0 || doc.GetNarrowBand(n) == 1);
        for (int column = 0; column <= kChannelColumnCount; ++column) {
            (void)ChannelCellText(doc, n, column);
            (void)IsChannelCellReadOnly(doc, n, column);
        }
    }
    FUZZ_CHECK(doc.GetSquelchLevel() >= 0 && doc.GetSquelchLevel() <= 9);
    FUZZ_CHECK(doc.GetTxTimeout() >= 0 && doc.GetTxTimeout() <= 10);
    FUZZ_CHECK(doc.GetVoxDelay() >= 0 && doc.GetVoxDelay() <= 6);
    FUZZ_CHECK(doc.GetSideKey2Long() >= 0 && doc.GetSideKey2Long() <= 15);
    FUZZ_CHECK(doc.GetVoiceAnnunciation() >= 0 && doc.GetVoiceAnnunciation() <= 2);
    // A stored byte other than 0xFF reads as byte + 1, up to 255.
    FUZZ_CHECK(doc.GetPriorityChannel() >= 0 && doc.GetPriorityChannel() <= 255);
    FUZZ_CHECK(doc.GetPttCodeText(true).size() <= 15 && doc.GetPttCodeText(false).size() <= 15);
    FUZZ_CHECK(doc.GetReadPasswordText().size() <= 6);
    for (int index = -1; index <= 6; ++index)
        (void)doc.GetCalibration(index);
    FUZZ_CHECK(doc.GetModelIndex() >= 0 && doc.GetModelIndex() <= 15);
    (void)doc.GetBandLimitText(-1);
    (void)doc.GetBandLimitText(1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool filesSet = (SetSettingsFile(VELMAR_RESOURCE_DIR "/setting.ini"),
        SetLanguageFile(VELMAR_RESOURCE_DIR "/english.lang"), true);
    (void)filesSet;

    std::string file(reinterpret_cast<const char*>(data), size);
    CVelmarDoc doc;
    doc.OnNewDocument();
    const RadioImage fresh = doc.Image();
    const FileHeader freshHeader = doc.Header();
    {
        CArchive archive(file, CArchive::load);
        doc.Serialize(archive);
    }
    if (doc.GetLastLoadResult() == CVelmarDoc::LoadResult::WrongSignature) {
        FUZZ_CHECK(doc.Image().bytes == fresh.bytes);
        FUZZ_CHECK(doc.Header().bytes == freshHeader.bytes);
    } else {
        const std::size_t carried = size > FileHeader::kSize ? std::min(size - FileHeader::kSize, RadioImage::kSize) : 0;
        FUZZ_CHECK(std::memcmp(doc.Image().bytes.data(), file.data() + std::min(size, FileHeader::kSize), carried) == 0);
        FUZZ_CHECK(std::equal(doc.Image().bytes.begin() + static_cast<std::ptrdiff_t>(carried), doc.Image().bytes.end(),
            fresh.bytes.begin() + static_cast<std::ptrdiff_t>(carried)));
    }
    doc.RefreshAll();
    CheckGetters(doc);

    FuzzInput tail(data + size - std::min<std::size_t>(size, 12), std::min<std::size_t>(size, 12));
    const int row = 1 + static_cast<int>(size % RadioImage::kChannelCount);
    const std::string text(tail.Rest());
    (void)CommitFrequency(doc, row, size % 2 ? 1 : 3, text);
    (void)CommitTone(doc, row, size % 3 ? 2 : 4, text);
    (void)SetChannelOption(doc, row, 5 + static_cast<int>(size % 7), static_cast<int>(size % 2));
    doc.SetPttCodeText(true, text);
    doc.SetReadPasswordText(text);
    CheckGetters(doc);

    std::string stored;
    {
        CArchive archive(stored, CArchive::store);
        doc.Serialize(archive);
    }
    FUZZ_CHECK(stored.size() == FileHeader::kSize + RadioImage::kSize);
    CVelmarDoc again;
    again.OnNewDocument();
    {
        CArchive archive(stored, CArchive::load);
        again.Serialize(archive);
    }
    // A loaded document always carries the signature, so its file loads again.
    FUZZ_CHECK(again.GetLastLoadResult() == CVelmarDoc::LoadResult::Ok);
    FUZZ_CHECK(again.Image().bytes == doc.Image().bytes);
    FUZZ_CHECK(again.Header().bytes == doc.Header().bytes);
    return 0;
}
