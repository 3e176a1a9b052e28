// Memory channels as a table of text: the tool's own CSV columns written out, and tables read
// back, both the tool's own and the lists other programming tools and frequency databases
// exchange. Every row read passes the channel editor's rules (ValidateChannel), so a list stores
// what the editor would store and refuses what it would refuse.
//
// Columns of the tool's own table, in the order they are written (`No.` is the channel number as
// the grid shows it, 000 to 999):
//   No., Name, Frequency (MHz, exact to the Hz), Mode, ToneSelect, TSQ, RevTSQ, DCS,
//   DCSPolarity, Scrambler, Train, Step
// Values are the texts of the model's tables ("FM", "REV TSQ", "88.5", "023", "NORMAL", "8.33");
// an empty cell is none. The tool's own files written before `No.` have `Location` instead,
// counted from 1 (1 to 1000): they read as they were written.
//
// Reading finds columns by their header, case-insensitively; unknown columns are ignored (with a
// warning) and a missing optional column reads as an empty cell. Which layout a table has is told
// by the columns only one layout has:
// - the tool's own, above;
// - the common channel-list layout (`Tone`, `cToneFreq`, `DtcsCode`, `DtcsPolarity`,
//   `RxDtcsCode`, `CrossMode`, `TStep`, or no tone columns at all): `Location` is the channel
//   number as the grid shows it (0 to 999). Tone "TSQL" is TSQ with `cToneFreq`, "TSQL-R" REV TSQ
//   with it, "DTCS" DCS with `DtcsCode` and the receive (second) letter of `DtcsPolarity`,
//   "Cross" the receive side of `CrossMode` (after "->": "Tone" TSQ, "DTCS" DCS with
//   `RxDtcsCode`, nothing VFO), "" or "Tone" VFO; mode "NFM" or "FMN" is FM;
// - a frequency database's (`Frequency Output`, `Alpha Tag`, `PL Tone`, `Mode`): no channel
//   numbers; `PL Tone` "88.5" or "136.5 PL" is TSQ, "023 DPL", "DPL 023" or "D023" (a trailing N
//   normal, I or R reversed) DCS, "CSQ" or nothing VFO, anything else a digital system's code.
// In the common and database layouts names lose the blanks around them; the tool's own keeps
// a name exactly. A file's separator is a comma, a semicolon or a tab, whichever its header line
// holds most; with semicolons a number may be written with a decimal comma ("145,5").
//
// The Memory page's clipboard uses the same table with kClipboardDelimiter: copying is
// FormatChannelTable(rows, kClipboardDelimiter), where a row of an empty channel comes out as its
// number alone; pasting is ParseChannelTable(text, kClipboardDelimiter), which reads such a row
// back as an empty channel (InUse 0). A pasted table carries its header row, so a block that went
// through a spreadsheet and back reads exactly as it was copied.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/finding.h"
#include "model/radio_config.h"

namespace kestrel {

inline constexpr char kFileDelimiter = ',';
inline constexpr char kClipboardDelimiter = '\t';
inline constexpr char kAnyDelimiter = '\0';  // reading a file: comma, semicolon or tab

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

// The programmed channels in the common channel-list layout of other tools, its header in full:
// Location from 0 as the grid numbers channels, the tone columns as that layout has them, and
// empty cells for what the receiver has not. A channel that listens for a train tone or a
// scrambler carrier, which the layout cannot hold, goes without it and is added to `unheld`.
std::string FormatCommonChannelTable(std::span<const NumberedChannel> channels,
                                     std::vector<int>& unheld);

// One row that passed the channel rules.
struct TableRow {
  int line = 0;
  std::optional<int> location;  // the channel number the row names, if it names one
  MemoryChannel channel;        // as ValidateChannel stores it; InUse 0 for a Location alone
  bool operator==(const TableRow&) const = default;
};

// A table read: its rows in order, and what was found wrong or worth telling, each finding at
// its line and, where it is one cell's, in the column as the header spells it ("DtcsCode"). A
// row with a problem is not in `rows`; the rest may be taken unless a problem refuses the whole
// table (Severity::kTableProblem: a fault of the text or its header rather than of one row).
struct ChannelTable {
  std::vector<TableRow> rows;
  std::vector<Finding> problems;
  std::vector<Finding> warnings;
  int row_count = 0;      // rows read, blank lines aside
  int rows_left_out = 0;  // rows with a problem
};

// Reads a table: UTF-8 with an optional byte-order mark, a header row first, CR LF or LF line
// ends. A row's own Step is kept when the frequency lies on it, otherwise the step is derived
// as the editor derives it (with a warning when the row gave another). Names longer than six
// characters are cut to six with a warning; a channel number outside the table's range or given
// twice (the first row keeps it), a mode, tone or code the receiver does not have, and anything
// ValidateChannel refuses are problems of their row. Every row is read, at most 1000; more, more
// than 1000 blank lines, broken quoting or a header without the columns needed refuse the whole
// table. Without `read_location` the channel numbers are neither read nor checked, and a row of
// a number alone is no row.
ChannelTable ParseChannelTable(std::string_view text, char delimiter = kAnyDelimiter,
                               bool read_location = true);

// Whether one of a table's `problems` refuses all of it, rather than only the rows it names.
bool RefusesWholeTable(std::span<const Finding> problems);

// Whether the first row of `text` names at least one of the columns ParseChannelTable knows: a
// table to read by its header. Text without one is cells to be taken by their position.
bool StartsWithHeaderRow(std::string_view text, char delimiter = kFileDelimiter);

}  // namespace kestrel
