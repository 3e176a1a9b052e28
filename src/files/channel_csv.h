// Memory channels as a table of text: the tool's own CSV columns written out, and tables read
// back, both the tool's own and the channel lists other programming tools exchange. Every row
// read passes the channel editor's rules (ValidateChannel), so a list stores what the editor
// would store and refuses what it would refuse.
//
// Columns of the tool's own table, in the order they are written (`Location` is the channel
// number 1 to 1000, which the grid shows as Location - 1 in three digits):
//   Location, Name, Frequency (MHz, exact to the Hz), Mode, ToneSelect, TSQ, RevTSQ, DCS,
//   DCSPolarity, Scrambler, Train, Step
// Values are the texts of the model's tables ("FM", "REV TSQ", "88.5", "023", "NORMAL", "8.33");
// an empty cell is none.
//
// Reading finds columns by their header, case-insensitively; unknown columns are ignored (with a
// warning) and a missing optional column reads as an empty cell. A header with `Tone`,
// `cToneFreq`, `DtcsCode`, `DtcsPolarity` or `TStep` (and none of the tool's own tone columns)
// is the common channel-list layout: Tone "TSQL" is TSQ with `cToneFreq`, "DTCS" is DCS with
// `DtcsCode` and the receive (second) letter of `DtcsPolarity`, "" or "Tone" is VFO, mode "NFM"
// is FM, and `Duplex`, `Offset`, `rToneFreq` and `Skip` are ignored.
//
// The Memory page's clipboard uses the same table with kClipboardDelimiter: copying is
// FormatChannelTable(rows, kClipboardDelimiter), where a row of an empty channel comes out as its
// Location alone; pasting is ParseChannelTable(text, kClipboardDelimiter), which reads such a row
// back as an empty channel (InUse 0). A pasted table carries its header row, so a block that went
// through a spreadsheet and back reads exactly as it was copied.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/radio_config.h"

namespace kestrel {

inline constexpr char kFileDelimiter = ',';
inline constexpr char kClipboardDelimiter = '\t';

// A channel with its number, 1 to 1000.
struct NumberedChannel {
  int number = 0;
  MemoryChannel channel;
  bool operator==(const NumberedChannel&) const = default;
};

// The programmed channels of `record`, in ascending order.
std::vector<NumberedChannel> ProgrammedChannels(const RadioConfig& record);

// The header row and one row per channel, each line ended by CR LF. The frequency is the stored
// Hz divided by 10^6 with as many decimals as it takes to give the same Hz back, at least five
// ("145.50000", "118.008334"); the name is the stored one, blanks included.
std::string FormatChannelTable(std::span<const NumberedChannel> channels,
                               char delimiter = kFileDelimiter);

// A problem or a warning about a table: where it is and why. `column` is the header as the text
// spells it ("DtcsCode"), or "" for a whole line.
struct TableNote {
  int line = 0;  // from 1
  std::string column;
  std::string message;

  // "channels.csv, line 12, column DtcsCode: 999 is not a DCS code".
  std::string ToString(std::string_view source) const;
  bool operator==(const TableNote&) const = default;
};

// One row that passed the channel rules.
struct TableRow {
  int line = 0;
  std::optional<int> location;  // the channel number the row names, if it names one
  MemoryChannel channel;        // as ValidateChannel stores it; InUse 0 for a Location alone
  bool operator==(const TableRow&) const = default;
};

// A table read: its rows in order, and what was found wrong (rows with a problem are not in
// `rows`; a table with any problem should not be used at all) or worth telling.
struct ChannelTable {
  std::vector<TableRow> rows;
  std::vector<TableNote> problems;
  std::vector<TableNote> warnings;
};

// Reads a table: UTF-8 with an optional byte-order mark, a header row first, CR LF or LF line
// ends. A row's own Step is kept when the frequency lies on it, otherwise the step is derived
// as the editor derives it (with a warning when the row gave another). Names longer than six
// characters are cut to six with a warning; a `Location` outside 1 to 1000 or given twice, a
// mode, tone or code the receiver does not have, and anything ValidateChannel refuses are
// problems. At most 1000 rows and 100 problems are read; reading stops there.
ChannelTable ParseChannelTable(std::string_view text, char delimiter = kFileDelimiter);

// Whether the first row of `text` names at least one of the columns ParseChannelTable knows: a
// table to read by its header. Text without one is cells to be taken by their position.
bool StartsWithHeaderRow(std::string_view text, char delimiter = kFileDelimiter);

}  // namespace kestrel
