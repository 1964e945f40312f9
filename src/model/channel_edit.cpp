#include "model/channel_edit.h"

#include "model/radio_image.h"
#include "model/velmar_doc.h"
#include "shell/lang_string.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The bytes a frequency commit may change: the channel record and the
// priority-channel byte.
struct ChannelSnapshot {
    std::array<std::uint8_t, RadioImage::kChannelSize> record{};
    std::uint8_t priority = 0;

    ChannelSnapshot(const CVelmarDoc& doc, int row)
    {
        const auto& bytes = doc.Image().bytes;
        std::memcpy(record.data(), &bytes[RadioImage::kChannelSize * static_cast<std::size_t>(row)], record.size());
        priority = bytes[RadioImage::kPriorityChannel];
    }
    bool operator==(const ChannelSnapshot&) const = default;
};

void SetOptionBit(CVelmarDoc& doc, int row, int column, int value)
{
    switch (column) {
    case 5: doc.SetOption5(row, value); break;
    case 6: doc.SetNarrowBand(row, value); break;
    case 7: doc.SetHighPower(row, value); break;
    case 8: doc.SetOption8(row, value); break;
    case 9: doc.SetOption9(row, value); break;
    case 10: doc.SetOption10(row, value); break;
    case 11: doc.SetOption11(row, value); break;
    default: break;
    }
}

} // namespace

ChannelEditResult CommitFrequency(CVelmarDoc& doc, int row, int column, const std::string& input)
{
    ChannelEditResult result;
    if (!CVelmarDoc::IsValidChannel(row) || (column != 1 && column != 3))
        return result;
    const bool receive = column == 1;
    const bool simplex = doc.IsSimplex(row);
    const ChannelSnapshot before(doc, row);

    std::string text = input;
    if (const int side = doc.CheckBand(text); side != 0)
        text = doc.GetBandLimitText(side);
    const bool textChanged = !EqualIgnoringCase(text, doc.GetFreqText(row, receive));

    doc.SetFreqText(row, receive, text);
    result.cells.push_back(column);

    if (text.empty()) {
        doc.SetToneText(row, false, {});
        result.cells.push_back(4);
        if (receive) {
            doc.SetToneText(row, true, {});
            result.cells.push_back(2);
            doc.SetFreqText(row, false, {});
            result.cells.push_back(3);
            // The option defaults, in the table's order of writing.
            static constexpr std::array<std::pair<int, int>, 7> kDefaults = {
                {{8, 1}, {6, 0}, {7, 1}, {5, 0}, {9, 1}, {10, 1}, {11, 1}}};
            for (const auto& [optionColumn, value] : kDefaults) {
                SetOptionBit(doc, row, optionColumn, value);
                result.cells.push_back(optionColumn);
            }
            if (doc.GetPriorityChannel() == row) {
                doc.SetPriorityChannel(0);
                result.priorityReset = true;
            }
        }
    } else if (receive && simplex) {
        doc.SetFreqText(row, false, doc.GetFreqText(row, true));
        result.cells.push_back(3);
    }

    result.refreshRow = true;
    result.fillPriorityList = true;
    // Any change of the stored bytes counts, not only a changed text: clearing
    // an already empty channel may still reset options or the priority channel.
    result.modified = textChanged || !(before == ChannelSnapshot(doc, row));
    if (result.modified)
        doc.SetModifiedFlag(true);
    return result;
}

ChannelEditResult CommitTone(CVelmarDoc& doc, int row, int column, const std::string& text)
{
    ChannelEditResult result;
    if (!CVelmarDoc::IsValidChannel(row) || (column != 2 && column != 4))
        return result;
    const bool receive = column == 2;
    const bool sameTone = doc.IsSameTone(row);

    result.modified = !EqualIgnoringCase(text, doc.GetToneText(row, receive));
    doc.SetToneText(row, receive, text);
    result.cells.push_back(column);
    if (receive && sameTone) {
        doc.SetToneText(row, false, text);
        result.cells.push_back(4);
        result.invalidateRow = true;
    }
    // Marked after storing, so the undo history records the stored tones.
    if (result.modified)
        doc.SetModifiedFlag(true);
    return result;
}

ChannelEditResult SetChannelOption(CVelmarDoc& doc, int row, int column, int value)
{
    ChannelEditResult result;
    if (!CVelmarDoc::IsValidChannel(row) || column < 5 || column > 11)
        return result;
    SetOptionBit(doc, row, column, value);
    result.cells.push_back(column);
    result.modified = true;
    doc.SetModifiedFlag(true);
    return result;
}

int GetChannelOption(const CVelmarDoc& doc, int row, int column)
{
    switch (column) {
    case 5: return doc.GetOption5(row);
    case 6: return doc.GetNarrowBand(row);
    case 7: return doc.GetHighPower(row);
    case 8: return doc.GetOption8(row);
    case 9: return doc.GetOption9(row);
    case 10: return doc.GetOption10(row);
    case 11: return doc.GetOption11(row);
    default: return 0;
    }
}

const char* OptionTextKey(int column, int value)
{
    if (column == 6)
        return value ? "IDS_NARROW" : "IDS_WIDE";
    if (column == 7)
        return value ? "IDS_HIGH" : "IDS_LOW";
    return value ? "IDS_NO" : "IDS_YES";
}

std::string ChannelCellText(const CVelmarDoc& doc, int row, int column)
{
    if (doc.IsRxEmpty(row))
        return {};
    switch (column) {
    case 1: return doc.GetFreqText(row, true);
    case 2: return doc.GetToneText(row, true);
    case 3: return doc.GetFreqText(row, false);
    case 4: return doc.IsTxEmpty(row) ? std::string() : doc.GetToneText(row, false);
    default:
        if (column >= 5 && column <= 11)
            return LoadLangString(OptionTextKey(column, GetChannelOption(doc, row, column)));
        return {};
    }
}

bool IsChannelCellReadOnly(const CVelmarDoc& doc, int row, int column)
{
    return (column >= 2 && doc.IsRxEmpty(row)) || (column == 4 && doc.IsTxEmpty(row));
}
