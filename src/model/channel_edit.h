#pragma once
// The channel table's rules as document operations, shared by the table view,
// the command line and imports: what a cell shows, which cells are read-only,
// and how an edited frequency, tone or option is committed (band clamp, raster,
// the simplex and same-tone follow, clearing a whole channel). Columns are the
// table's: 1 rx frequency, 2 rx tone, 3 tx frequency, 4 tx tone, 5-11 options.

#include <string>
#include <vector>

class CVelmarDoc;

// What a commit did, so that a view can refresh exactly the cells it changed.
struct ChannelEditResult {
    // The document was marked modified by this commit.
    bool modified = false;
    // Columns of the row written again, in the order they were written.
    std::vector<int> cells;
    // The whole row must be refreshed (read-only states and all texts).
    bool refreshRow = false;
    // The row must be redrawn (a tone followed into column 4).
    bool invalidateRow = false;
    // The priority-channel list must be rebuilt (a channel may have come or gone).
    bool fillPriorityList = false;
    // The cleared channel was the priority channel, now none: the priority list
    // selects its "off" entry.
    bool priorityReset = false;
};

constexpr int kChannelColumnCount = 12;

// Frequency commit of column 1 (receive) or 3 (transmit) with the editor's text:
// an out-of-band text becomes the violated band edge; the stored value is
// snapped; a new receive frequency on a simplex channel is copied to transmit;
// an empty text turns the transmit tone off, and in column 1 clears the whole
// channel (frequencies, tones, option defaults, and the priority channel if it
// was this one).
ChannelEditResult CommitFrequency(CVelmarDoc& doc, int row, int column, const std::string& text);

// Tone commit of column 2 (receive) or 4 (transmit); a receive tone equal to the
// transmit tone before the commit takes the transmit tone along.
ChannelEditResult CommitTone(CVelmarDoc& doc, int row, int column, const std::string& text);

// Option column 5-11: value 0 clears the bit, any other value sets it. Always
// marks the document modified (each list selection counts as an edit).
ChannelEditResult SetChannelOption(CVelmarDoc& doc, int row, int column, int value);

// The bit of an option column 5-11 (0 or 1); 0 for other columns.
int GetChannelOption(const CVelmarDoc& doc, int row, int column);

// The language-file key an option column shows for a bit value: columns 5 and
// 8-11 "IDS_YES"/"IDS_NO", 6 "IDS_WIDE"/"IDS_NARROW", 7 "IDS_LOW"/"IDS_HIGH".
const char* OptionTextKey(int column, int value);

// The text of cell (row, column 1-11) exactly as the table shows it: empty for
// every cell of an empty channel and for the transmit tone while the transmit
// frequency is empty.
std::string ChannelCellText(const CVelmarDoc& doc, int row, int column);

// Columns 2-11 of an empty channel and column 4 while the transmit frequency
// is empty; column 1 never is.
bool IsChannelCellReadOnly(const CVelmarDoc& doc, int row, int column);
