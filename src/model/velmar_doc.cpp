#include "model/velmar_doc.h"

#include "model/bcd_frequency.h"
#include "model/symbol_code.h"
#include "model/tone_code.h"
#include "platform/archive.h"
#include "platform/profile.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kCatalogueSize = 16;
constexpr std::int32_t kDefaultLowerLimit = 10000000;
constexpr std::int32_t kDefaultUpperLimit = 52000000;

std::string CatalogueData(int index, std::size_t bufferSize)
{
    return GetPrivateProfileString("ModelInfo", "data" + std::to_string(index), "", bufferSize,
        SettingsFile());
}

// One hex character; the decoder never fails: anything that is not 0-9 is
// taken as a letter, and only the low four bits count. A missing character
// (value shorter than eight) decodes as 0.
int HexValue(char c)
{
    const int value = c <= '9' ? c - 48 : c - 55;
    return value & 0x0F;
}

std::array<std::uint8_t, 4> DecodeIdentifier(const std::string& data)
{
    std::array<std::uint8_t, 4> id{};
    auto at = [&](std::size_t i) { return i < data.size() ? data[i] : '\0'; };
    for (std::size_t i = 0; i < 4; ++i)
        id[i] = static_cast<std::uint8_t>(HexValue(at(2 * i)) << 4 | HexValue(at(2 * i + 1)));
    return id;
}

// atoi of three characters of the catalogue text (1-based positions).
int BandEdge(const std::string& data, std::size_t a, std::size_t b, std::size_t c)
{
    auto at = [&](std::size_t i) { return i - 1 < data.size() ? data[i - 1] : '\0'; };
    const char digits[4] = {at(a), at(b), at(c), '\0'};
    return std::atoi(digits);
}

} // namespace

CVelmarDoc::CVelmarDoc()
{
    DeleteContents();
    StartNewHistory();
}

bool CVelmarDoc::OnNewDocument()
{
    if (m_clearQuestion && !m_clearQuestion())
        return false;
    if (!CDocument::OnNewDocument())
        return false;
    SelectModel(0);
    StartNewHistory();
    return true;
}

bool CVelmarDoc::OnOpenDocument(const std::string& path, std::string* error)
{
    if (!CDocument::OnOpenDocument(path, error))
        return false;
    StartNewHistory();
    return true;
}

bool CVelmarDoc::OnSaveDocument(const std::string& path, std::string* error)
{
    if (!CDocument::OnSaveDocument(path, error))
        return false;
    m_history.MarkSaved(m_image);
    return true;
}

void CVelmarDoc::SetModifiedFlag(bool modified)
{
    CDocument::SetModifiedFlag(modified);
    if (modified)
        m_history.Record(m_image);
}

bool CVelmarDoc::Undo()
{
    // A change stored after its mark is still the latest edit.
    m_history.Record(m_image);
    return RestoreState(m_history.Undo());
}

bool CVelmarDoc::Redo()
{
    m_history.Record(m_image);
    return RestoreState(m_history.Redo());
}

bool CVelmarDoc::RestoreState(const UndoHistory::State* state)
{
    if (!state)
        return false;
    m_image = state->image;
    CDocument::SetModifiedFlag(state->modified);
    RefreshAll();
    return true;
}

void CVelmarDoc::DeleteContents()
{
    std::memcpy(m_header.bytes.data(), FileHeader::kResetText.data(), FileHeader::kResetText.size());
    m_image.bytes.fill(0xFF);
}

void CVelmarDoc::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        archive.Write(m_header.bytes.data(), m_header.bytes.size());
        archive.Write(m_image.bytes.data(), m_image.bytes.size());
        return;
    }
    const FileHeader before = m_header;
    // A short file leaves the rest of the header as it was, so a file shorter
    // than the signature that matches as far as it goes still passes.
    archive.Read(m_header.bytes.data(), m_header.bytes.size());
    const bool signatureOk = std::memcmp(m_header.bytes.data(), FileHeader::kSignature.data(),
                                 FileHeader::kSignature.size()) == 0;
    if (signatureOk) {
        archive.Read(m_image.bytes.data(), m_image.bytes.size());
        m_lastLoadResult = LoadResult::Ok;
    } else {
        m_header = before;
        m_lastLoadResult = LoadResult::WrongSignature;
    }
    UpdateBandLimits();
    if (!signatureOk && m_wrongSignature)
        m_wrongSignature();
}

void CVelmarDoc::ApplyDefaults()
{
    static constexpr std::uint8_t kTagStart[] = {0x47, 0x48};
    static constexpr std::uint8_t kTagEnd[] = {0x4E, 0x33, 0x36, 0x32};
    std::memcpy(&m_image.bytes[RadioImage::kModelTag], kTagStart, sizeof kTagStart);
    std::memcpy(&m_image.bytes[RadioImage::kModelTag + 3], kTagEnd, sizeof kTagEnd);

    for (int n = 1; n <= RadioImage::kChannelCount; ++n) {
        SetOption8(n, 1);
        SetNarrowBand(n, 0);
        SetHighPower(n, 1);
        SetOption5(n, 0);
        SetOption9(n, 1);
        SetOption10(n, 1);
        SetOption11(n, 1);
    }

    SetBeep(0);
    SetBatterySave(1);
    SetVoiceAnnunciation(1);
    SetPttId(0);
    SetSquelchLevel(3);
    SetSideKey1(0);
    SetSideKey2(0);
    SetSideKey1Long(0);
    SetSideKey2Long(0);
    SetTxTimeout(6);
    SetVoxLevel(5);
    SetVoxDelay(0);
    SetScanMode(0);
    SetPriorityChannel(0);
}

std::uint8_t* CVelmarDoc::Channel(int n)
{
    return IsValidChannel(n) ? &m_image.bytes[RadioImage::kChannelSize * static_cast<std::size_t>(n)] : nullptr;
}

const std::uint8_t* CVelmarDoc::Channel(int n) const
{
    return IsValidChannel(n) ? &m_image.bytes[RadioImage::kChannelSize * static_cast<std::size_t>(n)] : nullptr;
}

bool CVelmarDoc::IsRxEmpty(int n) const
{
    const std::uint8_t* ch = Channel(n);
    return !ch || ch[RadioImage::kRxFreq + 3] > 0x99;
}

bool CVelmarDoc::IsTxEmpty(int n) const
{
    const std::uint8_t* ch = Channel(n);
    return IsRxEmpty(n) || ch[RadioImage::kTxFreq + 3] > 0x99;
}

bool CVelmarDoc::IsSimplex(int n) const
{
    const std::uint8_t* ch = Channel(n);
    return ch && std::memcmp(ch + RadioImage::kTxFreq, ch + RadioImage::kRxFreq, 4) == 0;
}

bool CVelmarDoc::IsSameTone(int n) const
{
    const std::uint8_t* ch = Channel(n);
    return ch && std::memcmp(ch + RadioImage::kTxTone, ch + RadioImage::kRxTone, 2) == 0;
}

int CVelmarDoc::GetChannelBit(int n, int bit) const
{
    const std::uint8_t* ch = Channel(n);
    return ch ? (ch[RadioImage::kChannelFlags] >> bit) & 1 : 0;
}

void CVelmarDoc::SetChannelBit(int n, int bit, int value)
{
    std::uint8_t* ch = Channel(n);
    if (!ch)
        return;
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    if (value)
        ch[RadioImage::kChannelFlags] |= mask;
    else
        ch[RadioImage::kChannelFlags] &= static_cast<std::uint8_t>(~mask);
}

std::string CVelmarDoc::GetFreqText(int n, bool rx) const
{
    const std::uint8_t* ch = Channel(n);
    if (!ch)
        return {};
    return FormatFreqText(ch + (rx ? RadioImage::kRxFreq : RadioImage::kTxFreq));
}

void CVelmarDoc::SetFreqText(int n, bool rx, const std::string& text)
{
    std::uint8_t* ch = Channel(n);
    if (!ch)
        return;
    BcdFrequency bytes;
    if (text.empty())
        bytes.fill(0xFF);
    else
        bytes = PackBcdFrequency(SnapToRaster(ParseFreqText(text)));
    std::memcpy(ch + (rx ? RadioImage::kRxFreq : RadioImage::kTxFreq), bytes.data(), bytes.size());
}

int CVelmarDoc::CheckBand(const std::string& text) const
{
    if (text.empty())
        return 0;
    const std::int32_t value = ParseFreqText(text);
    if (value > m_bandUpperLimit)
        return 1;
    if (value < m_bandLowerLimit)
        return -1;
    return 0;
}

std::string CVelmarDoc::GetBandLimitText(int side) const
{
    return FormatBandLimit(side <= 0 ? m_bandLowerLimit : m_bandUpperLimit);
}

std::uint16_t CVelmarDoc::GetToneCode(int n, bool rx) const
{
    const std::uint8_t* ch = Channel(n);
    if (!ch)
        return kToneOff;
    const std::uint8_t* tone = ch + (rx ? RadioImage::kRxTone : RadioImage::kTxTone);
    return static_cast<std::uint16_t>(tone[1] << 8 | tone[0]);
}

std::string CVelmarDoc::GetToneText(int n, bool rx) const
{
    const ToneCode code = GetToneCode(n, rx);
    // The off text comes from the language file only when it is needed.
    return (code >> 8) == 0xFF ? LoadLangString("IDS_OFF") : FormatToneText(code, {});
}

void CVelmarDoc::SetToneText(int n, bool rx, const std::string& text)
{
    std::uint8_t* ch = Channel(n);
    if (!ch)
        return;
    const ToneCode code = ParseToneText(text);
    std::uint8_t* tone = ch + (rx ? RadioImage::kRxTone : RadioImage::kTxTone);
    tone[0] = static_cast<std::uint8_t>(code & 0xFF);
    tone[1] = static_cast<std::uint8_t>(code >> 8);
}

int CVelmarDoc::GetSettingBits(int shift, int mask) const
{
    return (m_image.bytes[RadioImage::kSettingFlags] >> shift) & mask;
}

void CVelmarDoc::SetSettingBits(int shift, int mask, int value)
{
    // Masked to the field's own bits: a larger value must not spill into the
    // neighbouring settings.
    std::uint8_t& flags = m_image.bytes[RadioImage::kSettingFlags];
    const unsigned field = static_cast<unsigned>(mask) << shift;
    flags = static_cast<std::uint8_t>((flags & ~field) | ((static_cast<unsigned>(value) << shift) & field));
}

int CVelmarDoc::GetVoiceAnnunciation() const
{
    return std::min(GetSettingBits(2, 3), 2);
}

int CVelmarDoc::GetClampedByte(std::size_t offset, int max) const
{
    return std::min(int{m_image.bytes[offset]}, max);
}

int CVelmarDoc::GetPriorityChannel() const
{
    const int stored = m_image.bytes[RadioImage::kPriorityChannel];
    return stored == 0xFF ? 0 : stored + 1;
}

void CVelmarDoc::SetPriorityChannel(int channel)
{
    SetByte(RadioImage::kPriorityChannel, channel == 0 ? 0xFF : channel - 1);
}

std::size_t CVelmarDoc::PttCodeOffset(bool start) const
{
    return start ? RadioImage::kTxStartCode : RadioImage::kTxEndCode;
}

void CVelmarDoc::GetPttCode(bool start, std::uint8_t* out) const
{
    std::memcpy(out, &m_image.bytes[PttCodeOffset(start)], RadioImage::kPttCodeLength);
}

void CVelmarDoc::SetPttCode(bool start, const std::uint8_t* in)
{
    std::memcpy(&m_image.bytes[PttCodeOffset(start)], in, RadioImage::kPttCodeLength);
}

std::string CVelmarDoc::GetPttCodeText(bool start) const
{
    return PttCodeToText(&m_image.bytes[PttCodeOffset(start)], RadioImage::kPttCodeLength);
}

void CVelmarDoc::SetPttCodeText(bool start, const std::string& text)
{
    SetPttCode(start, PttCodeFromText(text).data());
}

void CVelmarDoc::GetReadPassword(std::uint8_t* out) const
{
    std::memcpy(out, &m_image.bytes[RadioImage::kReadPassword], RadioImage::kPasswordLength);
}

void CVelmarDoc::SetReadPassword(const std::uint8_t* in)
{
    std::memcpy(&m_image.bytes[RadioImage::kReadPassword], in, RadioImage::kPasswordLength);
}

std::string CVelmarDoc::GetReadPasswordText() const
{
    return PasswordToText(&m_image.bytes[RadioImage::kReadPassword], RadioImage::kPasswordLength);
}

void CVelmarDoc::SetReadPasswordText(const std::string& text)
{
    SetReadPassword(PasswordFromText(text).data());
}

int CVelmarDoc::GetCalibration(int index) const
{
    if (index < 0 || index >= static_cast<int>(RadioImage::kCalibrationCount))
        return 0;
    return m_image.bytes[RadioImage::kPowerCalibration + static_cast<std::size_t>(index)];
}

void CVelmarDoc::SetCalibration(int index, int value)
{
    if (index < 0 || index >= static_cast<int>(RadioImage::kCalibrationCount))
        return;
    SetByte(RadioImage::kPowerCalibration + static_cast<std::size_t>(index), value);
}

int CVelmarDoc::GetModelIndex() const
{
    int result = 0;
    for (int n = 0; n < kCatalogueSize; ++n) {
        const std::string data = CatalogueData(n, 32);
        if (data.empty())
            break;
        const auto id = DecodeIdentifier(data);
        // No early exit: when several entries match, the last one wins.
        if (std::equal(id.begin(), id.end(), &m_image.bytes[RadioImage::kModelId]))
            result = n;
    }
    return result;
}

void CVelmarDoc::UpdateBandLimits()
{
    const std::string data = CatalogueData(GetModelIndex(), 60);
    if (data.empty()) {
        m_bandLowerLimit = kDefaultLowerLimit;
        m_bandUpperLimit = kDefaultUpperLimit;
        return;
    }
    // The band is the identifier's BCD digits read as decimal characters:
    // characters 3, 4, 1 the lower edge, 7, 8, 5 the upper, in MHz.
    m_bandLowerLimit = BandEdge(data, 3, 4, 1) * 100000;
    m_bandUpperLimit = BandEdge(data, 7, 8, 5) * 100000;
}

void CVelmarDoc::SelectModel(int index)
{
    if (index >= 0 && index < kCatalogueSize) {
        const std::string data = CatalogueData(index, 32);
        if (!data.empty()) {
            const auto id = DecodeIdentifier(data);
            std::copy(id.begin(), id.end(), &m_image.bytes[RadioImage::kModelId]);
        }
    }
    UpdateBandLimits();
    ApplyDefaults();
}

void CVelmarDoc::RefreshAll()
{
    if (!m_history.IsRecorded(m_image))
        StartNewHistory();
    UpdateBandLimits();
    UpdateAllViews(nullptr);
}
