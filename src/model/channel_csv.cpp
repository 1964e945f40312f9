#include "model/channel_csv.h"

#include "model/channel_edit.h"
#include "model/velmar_doc.h"
#include "shell/lang_string.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>

const char* const kChannelCsvColumns[12] = { "channel", "rxFreq", "rxTone", "txFreq", "txTone", "option5",
    "narrowBand", "highPower", "option8", "option9", "option10", "option11" };

namespace {

// A cell longer than this is no value of the table.
constexpr std::size_t kMaxCellLength = 32;

struct CsvRecord
{
    int line = 0;
    std::vector<std::string> fields;
};

struct ParseError
{
    ChannelCsvError error;
    int line;
};

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return Lower(a) == Lower(b);
}

// The separator is the first comma or semicolon of the header line outside quotes.
char DetectSeparator(const std::string& text, std::size_t from)
{
    bool quoted = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ',' || c == ';'))
            return c;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
    }
    return ',';
}

// RFC 4180 records with either line end; fields are trimmed of blanks outside
// quotes. Records whose fields are all empty (blank lines) are dropped.
std::optional<ParseError> ParseCsv(const std::string& text, std::vector<CsvRecord>& records)
{
    std::size_t i = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        i = 3;
    const char separator = DetectSeparator(text, i);
    const std::size_t n = text.size();
    int line = 1;
    while (i < n) {
        CsvRecord record;
        record.line = line;
        bool endOfRecord = false;
        while (!endOfRecord) {
            while (i < n && (text[i] == ' ' || text[i] == '\t'))
                ++i;
            std::string field;
            if (i < n && text[i] == '"') {
                ++i;
                for (;;) {
                    if (i >= n)
                        return ParseError { ChannelCsvError::UnclosedQuote, record.line };
                    const char c = text[i];
                    if (c == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (c == '\n' || (c == '\r' && (i + 1 >= n || text[i + 1] != '\n')))
                        ++line;
                    field += c;
                    ++i;
                }
                while (i < n && (text[i] == ' ' || text[i] == '\t'))
                    ++i;
                if (i < n && text[i] != separator && text[i] != '\r' && text[i] != '\n')
                    return ParseError { ChannelCsvError::TextAfterQuote, line };
            } else {
                const std::size_t start = i;
                while (i < n && text[i] != separator && text[i] != '\r' && text[i] != '\n')
                    ++i;
                field = Trim(text.substr(start, i - start));
            }
            record.fields.push_back(field);
            if (i < n && text[i] == separator) {
                ++i;
                continue;
            }
            if (i < n && text[i] == '\r')
                ++i;
            if (i < n && text[i] == '\n')
                ++i;
            ++line;
            endOfRecord = true;
        }
        const bool blank = std::all_of(
            record.fields.begin(), record.fields.end(), [](const std::string& f) { return f.empty(); });
        if (!blank)
            records.push_back(std::move(record));
    }
    return std::nullopt;
}

// A decimal text as integer and fraction digits without the leading and
// trailing zeros that do not change its value; a decimal comma counts as the
// point. nullopt when it is not digits with at most one point, or has more
// than maxWhole digits before the point.
std::optional<std::string> CanonicalDecimal(const std::string& text, std::size_t maxWhole)
{
    if (text.empty() || text.size() > kMaxCellLength)
        return std::nullopt;
    std::string whole;
    std::string fraction;
    bool point = false;
    for (char c : text) {
        if (c == '.' || c == ',') {
            if (point)
                return std::nullopt;
            point = true;
        } else if (c >= '0' && c <= '9') {
            (point ? fraction : whole) += c;
        } else {
            return std::nullopt;
        }
    }
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > maxWhole)
        return std::nullopt;
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return (whole.empty() ? "0" : whole) + "." + fraction;
}

// The text handed to the table's commit: the decimal comma as a point.
std::string WithPoint(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

bool IsOffText(const std::string& text)
{
    return text.empty() || EqualIgnoringCase(text, "off")
        || EqualIgnoringCase(text, LoadLangString("IDS_OFF"));
}

bool IsDcsText(const std::string& text)
{
    if (text.size() != 5 || (text[0] != 'D' && text[0] != 'd'))
        return false;
    for (std::size_t i = 1; i <= 3; ++i)
        if (text[i] < '0' || text[i] > '7')
            return false;
    const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(text[4])));
    return last == 'N' || last == 'I';
}

// How a tone text compares: "off", a canonical CTCSS number, or the DCS code
// in capitals; nullopt for a text that is none of them.
std::optional<std::string> ToneKey(const std::string& text)
{
    if (IsOffText(text))
        return std::string("off");
    if (IsDcsText(text)) {
        std::string upper = text;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return upper;
    }
    if (text[0] >= '0' && text[0] <= '9')
        return CanonicalDecimal(text, 3);
    return std::nullopt;
}

// One pass, so a %n inside an argument (a cell's own text) stays as it is.
std::string Substitute(const std::string& pattern, const std::vector<std::string>& args)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1'
            && pattern[i + 1] < static_cast<char>('1' + args.size())) {
            out += args[static_cast<std::size_t>(pattern[i + 1] - '1')];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string Text(const char* key, const char* english, bool localized)
{
    return localized ? LoadLangString(key) : std::string(english);
}

class Importer
{
public:
    Importer(const CVelmarDoc& source, int rows, ChannelCsvImport& result)
        : m_rows(rows)
        , m_result(result)
    {
        m_doc.Image() = source.Image();
        m_doc.Header() = source.Header();
        m_doc.UpdateBandLimits();
    }

    void Run(const std::vector<CsvRecord>& records)
    {
        if (records.empty()) {
            Fail(ChannelCsvError::Empty, 1);
            return;
        }
        if (!ReadHeader(records.front()))
            return;
        std::map<int, int> seen;
        for (std::size_t r = 1; r < records.size(); ++r) {
            const CsvRecord& record = records[r];
            if (record.fields.size() != m_header.size()) {
                Fail(ChannelCsvError::FieldCount, record.line, std::to_string(record.fields.size()),
                    std::to_string(m_header.size()));
                return;
            }
            const std::string& channelText = record.fields[static_cast<std::size_t>(m_channelField)];
            const std::optional<std::string> number = CanonicalDecimal(channelText, 2);
            int channel = 0;
            if (number && channelText.find_first_of(".,") == std::string::npos)
                channel = std::stoi(*number);
            if (channel < 1 || channel > m_rows) {
                Fail(ChannelCsvError::BadChannel, record.line, channelText, std::to_string(m_rows));
                return;
            }
            if (const auto it = seen.find(channel); it != seen.end()) {
                Fail(ChannelCsvError::DuplicateChannel, record.line, std::to_string(channel),
                    std::to_string(it->second));
                return;
            }
            seen[channel] = record.line;
            m_result.channels.push_back(channel);
            if (!ApplyRow(record, channel))
                return;
        }
        m_result.image = m_doc.Image();
    }

private:
    bool Fail(ChannelCsvError error, int line, std::string arg1 = {}, std::string arg2 = {})
    {
        m_result.error = error;
        m_result.errorLine = line;
        m_result.arg1 = std::move(arg1);
        m_result.arg2 = std::move(arg2);
        return false;
    }

    bool ReadHeader(const CsvRecord& header)
    {
        m_header.assign(header.fields.size(), -1);
        for (std::size_t f = 0; f < header.fields.size(); ++f) {
            const std::string& name = header.fields[f];
            if (name.empty())
                continue; // a trailing separator or an unnamed spreadsheet column
            const auto* known = std::find_if(std::begin(kChannelCsvColumns), std::end(kChannelCsvColumns),
                [&](const char* column) { return EqualIgnoringCase(name, column); });
            if (known == std::end(kChannelCsvColumns))
                return Fail(ChannelCsvError::UnknownColumn, header.line, name);
            const int column = static_cast<int>(known - std::begin(kChannelCsvColumns));
            if (std::find(m_header.begin(), m_header.end(), column) != m_header.end())
                return Fail(ChannelCsvError::DuplicateColumn, header.line, name);
            m_header[f] = column;
        }
        const auto channel = std::find(m_header.begin(), m_header.end(), 0);
        if (channel == m_header.end())
            return Fail(ChannelCsvError::NoChannelColumn, header.line);
        m_channelField = static_cast<int>(channel - m_header.begin());
        return true;
    }

    // The cell of table column c in this record, nullopt when the file has no
    // such column.
    std::optional<std::string> Cell(const CsvRecord& record, int column) const
    {
        for (std::size_t f = 0; f < m_header.size(); ++f)
            if (m_header[f] == column)
                return record.fields[f];
        return std::nullopt;
    }

    void Note(
        int line, int channel, ChannelCsvChange change, int column, std::string given, std::string stored)
    {
        m_result.adjustments.push_back(
            { line, channel, change, kChannelCsvColumns[column], std::move(given), std::move(stored) });
    }

    bool ApplyFrequency(const CsvRecord& record, int channel, int column)
    {
        const std::optional<std::string> cell = Cell(record, column);
        const bool receive = column == 1;
        // An unchanged text keeps the stored bytes, even off the raster.
        if (!cell || *cell == m_doc.GetFreqText(channel, receive))
            return true;
        if (cell->empty()) {
            if (receive && m_doc.IsRxEmpty(channel))
                return true;
            const ChannelEditResult edit = CommitFrequency(m_doc, channel, column, {});
            if (edit.priorityReset)
                Note(record.line, channel, ChannelCsvChange::PriorityCleared, column, {}, {});
            return true;
        }
        const std::optional<std::string> given = CanonicalDecimal(*cell, 3);
        if (!given)
            return Fail(ChannelCsvError::BadFrequency, record.line, kChannelCsvColumns[column], *cell);
        const std::string text = WithPoint(*cell);
        const int side = m_doc.CheckBand(text);
        CommitFrequency(m_doc, channel, column, text);
        const std::string stored = m_doc.GetFreqText(channel, receive);
        if (CanonicalDecimal(stored, 3) != given) {
            const ChannelCsvChange change = side > 0 ? ChannelCsvChange::ClampedHigh
                : side < 0                           ? ChannelCsvChange::ClampedLow
                                                     : ChannelCsvChange::Snapped;
            Note(record.line, channel, change, column, *cell, stored);
        }
        return true;
    }

    bool ApplyTone(const CsvRecord& record, int channel, int column)
    {
        const std::optional<std::string> cell = Cell(record, column);
        const bool receive = column == 2;
        if (!cell || EqualIgnoringCase(*cell, m_doc.GetToneText(channel, receive)))
            return true;
        // The table shows no transmit tone without a transmit frequency.
        if (!receive && m_doc.IsTxEmpty(channel)) {
            if (cell->empty())
                return true;
            if (!IsOffText(*cell))
                return Fail(ChannelCsvError::ToneWithoutTxFreq, record.line);
        }
        const std::optional<std::string> given = ToneKey(*cell);
        if (!given)
            return Fail(ChannelCsvError::BadTone, record.line, kChannelCsvColumns[column], *cell);
        if (given == ToneKey(m_doc.GetToneText(channel, receive)))
            return true;
        CommitTone(m_doc, channel, column, *given == "off" ? std::string() : WithPoint(*cell));
        const std::string stored = m_doc.GetToneText(channel, receive);
        if (ToneKey(stored) != given)
            Note(record.line, channel, ChannelCsvChange::ToneAdjusted, column, *cell, stored);
        return true;
    }

    bool ApplyOption(const CsvRecord& record, int channel, int column)
    {
        const std::optional<std::string> cell = Cell(record, column);
        if (!cell || cell->empty())
            return true;
        if (*cell != "0" && *cell != "1")
            return Fail(ChannelCsvError::BadOption, record.line, kChannelCsvColumns[column], *cell);
        const int value = *cell == "1" ? 1 : 0;
        if (GetChannelOption(m_doc, channel, column) != value)
            SetChannelOption(m_doc, channel, column, value);
        return true;
    }

    bool ApplyRow(const CsvRecord& record, int channel)
    {
        // Frequencies first, so the simplex follow runs before the file's own
        // transmit frequency, and a cleared or new channel is settled before
        // its other cells.
        if (!ApplyFrequency(record, channel, 1))
            return false;
        if (m_doc.IsRxEmpty(channel)) {
            for (int column = 2; column < kChannelColumnCount; ++column) {
                const std::optional<std::string> cell = Cell(record, column);
                if (cell && !cell->empty())
                    return Fail(
                        ChannelCsvError::ValueOnEmptyChannel, record.line, kChannelCsvColumns[column]);
            }
            return true;
        }
        if (!ApplyFrequency(record, channel, 3) || !ApplyTone(record, channel, 2)
            || !ApplyTone(record, channel, 4))
            return false;
        for (int column = 5; column < kChannelColumnCount; ++column)
            if (!ApplyOption(record, channel, column))
                return false;
        return true;
    }

    CVelmarDoc m_doc;
    int m_rows;
    ChannelCsvImport& m_result;
    // Table column of each field of the header, -1 for an ignored field.
    std::vector<int> m_header;
    int m_channelField = 0;
};

std::string CsvField(const std::string& value)
{
    const bool quote = value.find_first_of(",;\"\r\n") != std::string::npos
        || (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!quote)
        return value;
    std::string quoted = "\"";
    for (char c : value)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

std::string ExportChannelsCsv(const CVelmarDoc& doc, int rows)
{
    rows = std::clamp(rows, 0, RadioImage::kChannelCount);
    std::string text;
    for (int column = 0; column < kChannelColumnCount; ++column)
        text += std::string(column ? "," : "") + kChannelCsvColumns[column];
    text += "\r\n";
    for (int channel = 1; channel <= rows; ++channel) {
        text += std::to_string(channel);
        const bool empty = doc.IsRxEmpty(channel);
        for (int column = 1; column < kChannelColumnCount; ++column) {
            std::string value;
            if (!empty)
                value = column >= 5 ? std::to_string(GetChannelOption(doc, channel, column))
                                    : ChannelCellText(doc, channel, column);
            text += "," + CsvField(value);
        }
        text += "\r\n";
    }
    return text;
}

ChannelCsvImport PrepareChannelsCsvImport(const CVelmarDoc& doc, const std::string& text, int rows)
{
    ChannelCsvImport result;
    result.image = doc.Image();
    std::vector<CsvRecord> records;
    if (const auto error = ParseCsv(text, records)) {
        result.error = error->error;
        result.errorLine = error->line;
        return result;
    }
    Importer importer(doc, std::clamp(rows, 0, RadioImage::kChannelCount), result);
    importer.Run(records);
    if (!result.ok()) {
        result.adjustments.clear();
        result.image = doc.Image();
    }
    return result;
}

bool ApplyChannelsCsvImport(CVelmarDoc& doc, const ChannelCsvImport& import)
{
    if (!import.ok() || import.image.bytes == doc.Image().bytes)
        return false;
    doc.Image() = import.image;
    doc.SetModifiedFlag(true);
    return true;
}

std::string DescribeChannelsCsvError(const ChannelCsvImport& import, bool localized)
{
    std::string reason;
    const std::vector<std::string> args = { import.arg1, import.arg2 };
    switch (import.error) {
    case ChannelCsvError::None:
        return {};
    case ChannelCsvError::Empty:
        reason = Text("IDS_CSV_ERR_EMPTY", "the file has no header row", localized);
        break;
    case ChannelCsvError::UnclosedQuote:
        reason = Text("IDS_CSV_ERR_QUOTE", "a quoted field is not closed", localized);
        break;
    case ChannelCsvError::TextAfterQuote:
        reason = Text("IDS_CSV_ERR_AFTER_QUOTE", "text follows a closing quote", localized);
        break;
    case ChannelCsvError::UnknownColumn:
        reason = Text("IDS_CSV_ERR_COLUMN", "unknown column \"%1\"", localized);
        break;
    case ChannelCsvError::DuplicateColumn:
        reason = Text("IDS_CSV_ERR_TWICE", "the column \"%1\" appears twice", localized);
        break;
    case ChannelCsvError::NoChannelColumn:
        reason = Text("IDS_CSV_ERR_NO_CHANNEL", "the header has no \"channel\" column", localized);
        break;
    case ChannelCsvError::FieldCount:
        reason = Text("IDS_CSV_ERR_FIELDS", "%1 fields, but the header has %2", localized);
        break;
    case ChannelCsvError::BadChannel:
        reason = Text("IDS_CSV_ERR_CHANNEL", "\"%1\" is not a channel number from 1 to %2", localized);
        break;
    case ChannelCsvError::DuplicateChannel:
        reason = Text("IDS_CSV_ERR_DUP_CHANNEL", "channel %1 already appears on line %2", localized);
        break;
    case ChannelCsvError::BadFrequency:
        reason = Text("IDS_CSV_ERR_FREQ", "%1 \"%2\" is not a frequency in MHz such as 145.50000", localized);
        break;
    case ChannelCsvError::BadTone:
        reason = Text("IDS_CSV_ERR_TONE",
            "%1 \"%2\" is not a tone: the off text, a CTCSS tone such as 88.5 or a DCS code such as D023N",
            localized);
        break;
    case ChannelCsvError::BadOption:
        reason = Text("IDS_CSV_ERR_OPTION", "%1 takes 0 or 1, not \"%2\"", localized);
        break;
    case ChannelCsvError::ValueOnEmptyChannel:
        reason = Text("IDS_CSV_ERR_EMPTY_CHANNEL", "%1 must be empty: the channel has no rxFreq", localized);
        break;
    case ChannelCsvError::ToneWithoutTxFreq:
        reason = Text("IDS_CSV_ERR_TX_TONE", "txTone must be empty or off while txFreq is empty", localized);
        break;
    }
    return Substitute(Text("IDS_CSV_LINE", "line %1: %2", localized),
        { std::to_string(import.errorLine), Substitute(reason, args) });
}

std::string DescribeChannelsCsvAdjustment(const ChannelCsvAdjustment& adjustment, bool localized)
{
    std::string what;
    switch (adjustment.change) {
    case ChannelCsvChange::Snapped:
        what = Text("IDS_CSV_ADJ_SNAPPED", "%1 %2 stored as %3 (channel raster)", localized);
        break;
    case ChannelCsvChange::ClampedHigh:
        what = Text("IDS_CSV_ADJ_HIGH", "%1 %2 is above the band, stored as %3", localized);
        break;
    case ChannelCsvChange::ClampedLow:
        what = Text("IDS_CSV_ADJ_LOW", "%1 %2 is below the band, stored as %3", localized);
        break;
    case ChannelCsvChange::ToneAdjusted:
        what = Text("IDS_CSV_ADJ_TONE", "%1 %2 stored as %3", localized);
        break;
    case ChannelCsvChange::PriorityCleared:
        what = Text("IDS_CSV_ADJ_PRIORITY", "the priority channel is now none", localized);
        break;
    }
    what = Substitute(what, { adjustment.column, adjustment.given, adjustment.stored });
    return Substitute(Text("IDS_CSV_ADJ_LINE", "line %1, channel %2: %3", localized),
        { std::to_string(adjustment.line), std::to_string(adjustment.channel), what });
}
