#pragma once
// The channel table as CSV text: export writes the cells the table shows, and
// import applies a file through the table's own commit rules on a scratch copy,
// all or nothing, listing every value it had to change. Format: docs/csv.md.
// Qt-free; user-interface thread (it reads the language file's off text).

#include "model/radio_image.h"

#include <string>
#include <vector>

class CVelmarDoc;

// The column names of the header row, in export order.
extern const char* const kChannelCsvColumns[12];

// A problem that rejects a whole file.
enum class ChannelCsvError {
    None,
    Empty, // no header row
    UnclosedQuote, // a quoted field runs to the end of the file
    TextAfterQuote, // characters between a closing quote and the separator
    UnknownColumn, // arg1: the header name
    DuplicateColumn, // arg1: the header name
    NoChannelColumn,
    FieldCount, // arg1: fields in the row, arg2: fields in the header
    BadChannel, // arg1: the text, arg2: the highest channel
    DuplicateChannel, // arg1: channel, arg2: the line it appeared on first
    BadFrequency, // arg1: column, arg2: the text
    BadTone, // arg1: column, arg2: the text
    BadOption, // arg1: column, arg2: the text
    ValueOnEmptyChannel, // arg1: column; the row leaves the channel without rxFreq
    ToneWithoutTxFreq, // txTone given while txFreq is empty
};

// A value stored other than given.
enum class ChannelCsvChange {
    Snapped, // frequency moved to the channel raster (or below 10 Hz dropped)
    ClampedHigh, // frequency above the band, the upper band edge stored
    ClampedLow, // frequency below the band, the lower band edge stored
    ToneAdjusted, // CTCSS tone outside 67.0-254.1 Hz or with digits below 0.1 Hz
    PriorityCleared, // the cleared channel was the priority channel, now none
};

struct ChannelCsvAdjustment
{
    int line = 0;
    int channel = 0;
    ChannelCsvChange change = ChannelCsvChange::Snapped;
    std::string column;
    std::string given;
    std::string stored;
};

struct ChannelCsvImport
{
    ChannelCsvError error = ChannelCsvError::None;
    int errorLine = 0;
    std::string arg1;
    std::string arg2;
    std::vector<ChannelCsvAdjustment> adjustments;
    // The document's image with the file applied (valid when error is None).
    RadioImage image;
    // Channels the file names, in file order.
    std::vector<int> channels;
    bool ok() const { return error == ChannelCsvError::None; }
};

// Header row and one row per channel 1..rows (rows clamped to 0-16), comma
// separated, CR LF line ends, no byte-order mark.
std::string ExportChannelsCsv(const CVelmarDoc& doc, int rows);

// Parses text and applies it to a copy of doc's image; doc is not touched.
// Channels 1..rows may appear, each at most once.
ChannelCsvImport PrepareChannelsCsvImport(const CVelmarDoc& doc, const std::string& text, int rows);

// Puts a successful import into doc: the image is replaced and the document
// marked modified when anything changed. Returns whether anything changed.
bool ApplyChannelsCsvImport(CVelmarDoc& doc, const ChannelCsvImport& import);

// One-line texts. localized: from the language file ("IDS_CSV_..." keys) for
// the GUI; otherwise the built-in English of the command line.
std::string DescribeChannelsCsvError(const ChannelCsvImport& import, bool localized);
std::string DescribeChannelsCsvAdjustment(const ChannelCsvAdjustment& adjustment, bool localized);
