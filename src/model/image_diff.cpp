#include "model/image_diff.h"

#include "model/velmar_doc.h"
#include "shell/lang_string.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

namespace {

std::string Text(const char* key, const char* english, bool localized)
{
    return localized ? LoadLangString(key) : std::string(english);
}

std::string Hex(const RadioImage& image, std::size_t offset, std::size_t size)
{
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", image.bytes[offset + i]);
        text += (i ? " " : "") + std::string(byte);
    }
    return text;
}

// One field: its bytes and bits, and how a document shows its value.
struct Field
{
    std::size_t offset;
    std::size_t size;
    std::uint8_t mask; // bits of every byte that belong to the field
    std::string name;
    std::function<std::string(const CVelmarDoc&)> show;
};

std::string Number(int value)
{
    return std::to_string(value);
}

std::vector<Field> Fields(bool localized)
{
    std::vector<Field> fields;
    const std::string channelWord = Text("IDS_DIFF_CHANNEL", "channel %1", localized);
    for (int n = 1; n <= RadioImage::kChannelCount; ++n) {
        const std::size_t base = RadioImage::kChannelSize * static_cast<std::size_t>(n);
        std::string channel = channelWord;
        if (const auto at = channel.find("%1"); at != std::string::npos)
            channel.replace(at, 2, std::to_string(n));
        auto freq = [n](bool rx) {
            return [n, rx](const CVelmarDoc& doc) {
                const std::string text = doc.GetFreqText(n, rx);
                return text.empty() ? std::string("-") : text;
            };
        };
        auto tone
            = [n](bool rx) { return [n, rx](const CVelmarDoc& doc) { return doc.GetToneText(n, rx); }; };
        fields.push_back({ base + RadioImage::kRxFreq, 4, 0xFF,
            channel + " " + Text("IDS_DIFF_RXFREQ", "receive frequency", localized), freq(true) });
        fields.push_back({ base + RadioImage::kTxFreq, 4, 0xFF,
            channel + " " + Text("IDS_DIFF_TXFREQ", "transmit frequency", localized), freq(false) });
        fields.push_back({ base + RadioImage::kRxTone, 2, 0xFF,
            channel + " " + Text("IDS_DIFF_RXTONE", "receive tone", localized), tone(true) });
        fields.push_back({ base + RadioImage::kTxTone, 2, 0xFF,
            channel + " " + Text("IDS_DIFF_TXTONE", "transmit tone", localized), tone(false) });
        static const std::array<std::pair<int, const char*>, 7> kBits
            = { { { 4, "option5" }, { 2, "narrowBand" }, { 3, "highPower" }, { 0, "option8" },
                { 5, "option9" }, { 6, "option10" }, { 7, "option11" } } };
        // bit is captured by copy under its own name: clang 14 cannot capture a structured binding.
        for (const auto& [bit, name] : kBits) {
            fields.push_back({ base + RadioImage::kChannelFlags, 1, static_cast<std::uint8_t>(1u << bit),
                channel + " " + name, [n, bit = bit](const CVelmarDoc& doc) {
                    return Number(doc.Image().bytes[RadioImage::kChannelSize * static_cast<std::size_t>(n)
                                      + RadioImage::kChannelFlags]
                            >> bit
                        & 1);
                } });
        }
    }
    auto byte = [](std::size_t offset, const char* name) {
        return Field { offset, 1, 0xFF, name,
            [offset](const CVelmarDoc& doc) { return Number(doc.Image().bytes[offset]); } };
    };
    auto flags = [](int shift, std::uint8_t mask, const char* name) {
        return Field { RadioImage::kSettingFlags, 1, static_cast<std::uint8_t>(mask << shift), name,
            [shift, mask](const CVelmarDoc& doc) {
                return Number(doc.Image().bytes[RadioImage::kSettingFlags] >> shift & mask);
            } };
    };
    fields.push_back({ RadioImage::kTxStartCode, RadioImage::kPttCodeLength, 0xFF, "txStartCode",
        [](const CVelmarDoc& doc) { return doc.GetPttCodeText(true); } });
    fields.push_back({ RadioImage::kReadPassword, RadioImage::kPasswordLength, 0xFF, "readPassword",
        [](const CVelmarDoc& doc) { return doc.GetReadPasswordText(); } });
    fields.push_back(flags(0, 1, "beep"));
    fields.push_back(flags(1, 1, "batterySave"));
    fields.push_back(flags(2, 3, "voiceAnnunciation"));
    fields.push_back(flags(4, 3, "pttId"));
    fields.push_back(flags(6, 1, "scanMode"));
    fields.push_back(byte(RadioImage::kSquelchLevel, "squelchLevel"));
    fields.push_back(byte(RadioImage::kSideKey1, "sideKey1"));
    fields.push_back(byte(RadioImage::kTxTimeout, "txTimeout"));
    fields.push_back(byte(RadioImage::kVoxLevel, "voxLevel"));
    fields.push_back(byte(RadioImage::kSideKey2, "sideKey2"));
    fields.push_back({ RadioImage::kPriorityChannel, 1, 0xFF, "priorityChannel", [](const CVelmarDoc& doc) {
                          const int channel = doc.GetPriorityChannel();
                          return channel == 0 ? LoadLangString("IDS_OFF") : Number(channel);
                      } });
    fields.push_back(byte(RadioImage::kVoxDelay, "voxDelay"));
    fields.push_back(byte(RadioImage::kSideKey1Long, "sideKey1Long"));
    fields.push_back(byte(RadioImage::kSideKey2Long, "sideKey2Long"));
    fields.push_back({ RadioImage::kModelId, 4, 0xFF, "modelId",
        [](const CVelmarDoc& doc) { return Hex(doc.Image(), RadioImage::kModelId, 4); } });
    fields.push_back({ RadioImage::kTxEndCode, RadioImage::kPttCodeLength, 0xFF, "txEndCode",
        [](const CVelmarDoc& doc) { return doc.GetPttCodeText(false); } });
    for (std::size_t i = 0; i < RadioImage::kCalibrationCount; ++i) {
        static const char* const kNames[] = { "powerCalibration 0", "powerCalibration 1",
            "powerCalibration 2", "powerCalibration 3", "powerCalibration 4", "powerCalibration 5" };
        fields.push_back(byte(RadioImage::kPowerCalibration + i, kNames[i]));
    }
    fields.push_back(byte(RadioImage::kCalibrationPoint, "calibrationPoint"));
    return fields;
}

bool Differs(const RadioImage& a, const RadioImage& b, const Field& field)
{
    for (std::size_t i = field.offset; i < field.offset + field.size; ++i)
        if ((a.bytes[i] & field.mask) != (b.bytes[i] & field.mask))
            return true;
    return false;
}

} // namespace

std::vector<ImageDifference> DiffImages(
    const RadioImage& first, const RadioImage& second, std::size_t length, bool localized)
{
    if (length > RadioImage::kSize)
        length = RadioImage::kSize;
    CVelmarDoc a;
    CVelmarDoc b;
    a.Image() = first;
    b.Image() = second;

    // Bits each field accounts for; whatever differs outside them is reported
    // byte by byte, so no difference goes unnamed.
    std::array<std::uint8_t, RadioImage::kSize> covered {};
    std::vector<ImageDifference> differences;
    std::vector<Field> fields = Fields(localized);
    for (const Field& field : fields) {
        if (field.offset + field.size > length)
            continue;
        for (std::size_t i = field.offset; i < field.offset + field.size; ++i)
            covered[i] |= field.mask;
        if (!Differs(first, second, field))
            continue;
        std::string one = field.show(a);
        std::string two = field.show(b);
        // Equal texts hide a difference in bytes the text does not show.
        if (one == two) {
            one = Hex(first, field.offset, field.size);
            two = Hex(second, field.offset, field.size);
        }
        differences.push_back({ field.offset, field.name, one, two });
    }
    const std::string byteName = Text("IDS_DIFF_BYTE", "byte 0x%1", localized);
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t rest = static_cast<std::uint8_t>(~covered[i]);
        if ((first.bytes[i] & rest) == (second.bytes[i] & rest))
            continue;
        char offset[24];
        std::snprintf(offset, sizeof offset, "%03zX", i);
        std::string name = byteName;
        if (const auto at = name.find("%1"); at != std::string::npos)
            name.replace(at, 2, offset);
        differences.push_back({ i, name, Hex(first, i, 1), Hex(second, i, 1) });
    }
    std::stable_sort(differences.begin(), differences.end(),
        [](const ImageDifference& x, const ImageDifference& y) { return x.offset < y.offset; });
    return differences;
}

std::string FormatImageDifference(
    const ImageDifference& difference, const std::string& firstLabel, const std::string& secondLabel)
{
    return difference.name + ": " + firstLabel + " " + difference.first + ", " + secondLabel + " "
        + difference.second;
}
