#include "files/channel_csv.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>

#include "files/channel_cells.h"
#include "files/csv_records.h"
#include "model/channel.h"
#include "model/channel_rules.h"
#include "model/cp1252.h"
#include "model/display_texts.h"
#include "model/number_text.h"
#include "model/value_tables.h"

namespace kestrel {

namespace {

using namespace cells;

constexpr std::size_t kMaxProblems = 100;
constexpr int kMaxBlankLines = 1000;

// The columns reading knows. The first twelve are the tool's own, in the order they are written.
enum class Column : std::size_t {
  kLocation,
  kName,
  kFrequency,
  kMode,
  kToneSelect,
  kTsq,
  kRevTsq,
  kDcs,
  kDcsPolarity,
  kScrambler,
  kTrain,
  kStep,
  kTone,
  kCToneFreq,
  kDtcsCode,
  kDtcsPolarity,
  kTStep,
  kDuplex,
  kOffset,
  kRToneFreq,
  kSkip,
};
constexpr std::size_t kColumnCount = 21;
constexpr std::size_t kOwnColumnCount = 12;

enum class Layout { kBoth, kOwn, kCommon };

struct ColumnSpec {
  std::string_view header;
  Layout layout;
  bool read = true;  // false: known, but a receiver has no place for it
};

constexpr std::array<ColumnSpec, kColumnCount> kColumns{{
    {"Location", Layout::kBoth},
    {"Name", Layout::kBoth},
    {"Frequency", Layout::kBoth},
    {"Mode", Layout::kBoth},
    {"ToneSelect", Layout::kOwn},
    {"TSQ", Layout::kOwn},
    {"RevTSQ", Layout::kOwn},
    {"DCS", Layout::kOwn},
    {"DCSPolarity", Layout::kOwn},
    {"Scrambler", Layout::kOwn},
    {"Train", Layout::kOwn},
    {"Step", Layout::kOwn},
    {"Tone", Layout::kCommon},
    {"cToneFreq", Layout::kCommon},
    {"DtcsCode", Layout::kCommon},
    {"DtcsPolarity", Layout::kCommon},
    {"TStep", Layout::kCommon},
    {"Duplex", Layout::kCommon, false},
    {"Offset", Layout::kCommon, false},
    {"rToneFreq", Layout::kCommon, false},
    {"Skip", Layout::kCommon, false},
}};

const ColumnSpec& SpecOf(Column column) {
  return kColumns[static_cast<std::size_t>(column)];
}

std::string_view Trimmed(std::string_view text) {
  return TrimBlanks(text);
}

// A column as notes name it: its header, or its number from 1 when the header leaves it blank.
std::string ColumnName(const std::vector<std::string>& spelled, std::size_t cell) {
  return cell < spelled.size() && !spelled[cell].empty() ? Shown(spelled[cell])
                                                         : std::to_string(cell + 1);
}

// The note that ends the problems once kMaxProblems are told.
TableNote ReadingStops(int line) {
  return {line, "", "reading stops after " + std::to_string(kMaxProblems) + " problems"};
}

// ---- Header -------------------------------------------------------------------------------

// A header cell's name: spaces and tabs around it do not count.
std::string_view HeaderName(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
  text.remove_suffix(text.size() - (text.find_last_not_of(" \t") + 1));
  return text;
}

struct Header {
  Layout layout = Layout::kOwn;
  std::array<std::optional<std::size_t>, kColumnCount> cell{};  // where each column is
  std::vector<std::string> spelled;                             // every header cell, trimmed
};

std::string OwnHeaderList() {
  std::string list;
  for (std::size_t c = 0; c < kOwnColumnCount; ++c) {
    if (c > 0) list += ',';
    list += kColumns[c].header;
  }
  return list;
}

std::optional<Header> ReadHeader(const CsvRecord& record, ChannelTable& table) {
  Header header;
  bool own = false, common = false;
  for (std::size_t i = 0; i < record.cells.size(); ++i) {
    const std::string_view text = HeaderName(record.cells[i].text);
    header.spelled.emplace_back(text);
    if (text.starts_with("\xEF\xBB\xBF")) {
      table.problems.push_back({record.line, ColumnName(header.spelled, i),
                                "a byte-order mark stands before the column's name; only the "
                                "text may start with one"});
      continue;
    }
    for (std::size_t c = 0; c < kColumnCount; ++c) {
      if (!SameWord(kColumns[c].header, text)) continue;
      if (header.cell[c]) {
        // Told as often as row problems are, and then once that reading stops.
        if (table.problems.size() < kMaxProblems) {
          table.problems.push_back(
              {record.line, Shown(text), "the header row names this column twice"});
        } else if (table.problems.size() == kMaxProblems) {
          table.problems.push_back(ReadingStops(record.line));
        }
      } else {
        header.cell[c] = i;
        own = own || kColumns[c].layout == Layout::kOwn;
        common = common || (kColumns[c].layout == Layout::kCommon && kColumns[c].read);
      }
      break;
    }
  }
  header.layout = !own && common ? Layout::kCommon : Layout::kOwn;
  std::vector<bool> used(record.cells.size());
  for (std::size_t c = 0; c < kColumnCount; ++c) {
    const bool read = kColumns[c].read &&
                      (kColumns[c].layout == Layout::kBoth || kColumns[c].layout == header.layout);
    if (!read) header.cell[c].reset();
    if (header.cell[c]) used[*header.cell[c]] = true;
  }
  for (Column required : {Column::kFrequency, Column::kMode}) {
    if (header.cell[static_cast<std::size_t>(required)]) continue;
    table.problems.push_back({record.line, std::string(SpecOf(required).header),
                              "the first row names no " + std::string(SpecOf(required).header) +
                                  " column; it must name the columns, as in " + OwnHeaderList()});
  }
  if (!table.problems.empty()) return std::nullopt;
  std::string ignored;
  for (std::size_t i = 0; i < record.cells.size(); ++i) {
    if (used[i] || header.spelled[i].empty()) continue;
    ignored += (ignored.empty() ? "" : ", ") + Shown(header.spelled[i]);
  }
  if (!ignored.empty()) {
    table.warnings.push_back(
        {record.line, "",
         "these columns are ignored, a receiver has no place for them: " + ignored});
  }
  return header;
}

// ---- Rows ---------------------------------------------------------------------------------

// One record read against the header, collecting its notes.
class RowReader {
 public:
  RowReader(const Header& header, const CsvRecord& record, ChannelTable& table)
      : header_(header), record_(record), table_(table) {}

  Layout layout() const { return header_.layout; }
  int line() const { return record_.line; }
  bool failed() const { return failed_; }

  std::string_view Cell(Column column) const {
    const auto& index = header_.cell[static_cast<std::size_t>(column)];
    return index ? std::string_view(record_.cells[*index].text) : std::string_view();
  }
  std::string_view Value(Column column) const { return Trimmed(Cell(column)); }

  void Problem(Column column, std::string message) {
    failed_ = true;
    table_.problems.push_back({LineOf(column), NameOf(column), std::move(message)});
  }
  void Warning(Column column, std::string message) {
    table_.warnings.push_back({LineOf(column), NameOf(column), std::move(message)});
  }

 private:
  int LineOf(Column column) const {
    const auto& index = header_.cell[static_cast<std::size_t>(column)];
    return index ? record_.cells[*index].line : record_.line;
  }
  std::string NameOf(Column column) const {
    const auto& index = header_.cell[static_cast<std::size_t>(column)];
    return index ? header_.spelled[*index] : std::string(SpecOf(column).header);
  }

  const Header& header_;
  const CsvRecord& record_;
  ChannelTable& table_;
  bool failed_ = false;
};

Column Pick(Layout layout, Column own, Column common) {
  return layout == Layout::kCommon ? common : own;
}

// The column a field of ValidateChannel's answer is read from.
Column ColumnOf(ChannelField field, Layout layout) {
  switch (field) {
    case ChannelField::kName:
      return Column::kName;
    case ChannelField::kMode:
      return Column::kMode;
    case ChannelField::kStep:
      return Pick(layout, Column::kStep, Column::kTStep);
    case ChannelField::kToneSelect:
      return Pick(layout, Column::kToneSelect, Column::kTone);
    case ChannelField::kTsqTone:
      return Pick(layout, Column::kTsq, Column::kCToneFreq);
    case ChannelField::kRevTsqTone:
      return Column::kRevTsq;
    case ChannelField::kDcsCode:
      return Pick(layout, Column::kDcs, Column::kDtcsCode);
    case ChannelField::kRevDcs:
      return Pick(layout, Column::kDcsPolarity, Column::kDtcsPolarity);
    case ChannelField::kScrambler:
      return Column::kScrambler;
    case ChannelField::kTrainTone:
      return Column::kTrain;
    default:
      return Column::kFrequency;
  }
}

std::optional<int> ReadLocation(RowReader& row, std::map<int, int>& seen) {
  const std::string_view text = row.Value(Column::kLocation);
  if (text.empty()) return std::nullopt;
  const std::optional<double> number = PlainNumber(text);
  if (!number || *number < 1 || *number > kChannelCount || *number != std::floor(*number)) {
    row.Problem(Column::kLocation, Shown(text) + " is not a channel number from 1 to 1000");
    return std::nullopt;
  }
  const int location = static_cast<int>(*number);
  const auto [where, added] = seen.emplace(location, row.line());
  if (!added) {
    row.Problem(Column::kLocation, "Location " + std::to_string(location) + " (channel " +
                                       ChannelNumberText(location) + ") is given on line " +
                                       std::to_string(where->second) + " already");
    return std::nullopt;
  }
  return location;
}

std::string ReadName(RowReader& row) {
  const std::string_view text = row.Cell(Column::kName);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::optional<char32_t> c = NextCharacter(text, pos);
    if (!c) {
      row.Problem(Column::kName, Quoted(text) + " is not UTF-8 text");
      return {};
    }
    if (IsControl(*c)) {
      row.Problem(Column::kName, Quoted(text) + " holds a line break or another control character");
      return {};
    }
  }
  const std::optional<std::string> bytes = Utf8ToCp1252(text);
  if (!bytes) {
    row.Problem(Column::kName, Quoted(text) +
                                   " holds a character that Windows-1252 cannot hold, so the "
                                   "receiver cannot show it");
    return {};
  }
  if (bytes->size() <= kNameLength) return std::string(text);
  std::string cut = Cp1252ToUtf8(bytes->substr(0, kNameLength));
  row.Warning(Column::kName,
              Quoted(text) + " is cut to " + Quoted(cut) + ": the receiver keeps six characters");
  return cut;
}

std::optional<std::int64_t> ReadFrequency(RowReader& row) {
  const std::string_view text = row.Value(Column::kFrequency);
  if (text.empty()) return std::nullopt;  // ValidateChannel names it
  const std::optional<std::int64_t> hz = ParseMhz(text);
  if (!hz)
    row.Problem(Column::kFrequency, Quoted(text) + " is not a frequency in MHz such as 145.5");
  return hz;
}

std::int16_t ReadMode(RowReader& row) {
  const std::string_view text = row.Value(Column::kMode);
  if (text.empty()) return PositionOf(ChannelMode::kBlank);
  if (SameWord(text, "NFM")) return PositionOf(ChannelMode::kFm);
  if (const std::optional<int> mode = WordPosition(kChannelModeTable, text)) {
    return static_cast<std::int16_t>(*mode);
  }
  row.Problem(Column::kMode, Shown(text) + " is not a mode the receiver has: FM, WFM or AM");
  return 0;
}

// A coded field given as a number of its table ("88.5", "023", "3300"); 0 for an empty cell.
std::int16_t ReadNumberField(RowReader& row, Column column, ValueTable table,
                             std::string_view what) {
  const std::string_view text = row.Value(column);
  if (text.empty()) return 0;
  if (const std::optional<int> position = NumberPosition(table, text)) {
    return static_cast<std::int16_t>(*position);
  }
  row.Problem(column, Shown(text) + " is not " + std::string(what));
  return 0;
}

std::int16_t ReadTone(RowReader& row, Column column) {
  return ReadNumberField(row, column, kChannelToneTable, "a CTCSS tone the receiver has");
}
std::int16_t ReadDcsCode(RowReader& row, Column column) {
  return ReadNumberField(row, column, kChannelDcsTable, "a DCS code");
}

// The tool's own tone columns.
void ReadOwnTones(RowReader& row, ChannelEntry& entry) {
  const std::string_view select = row.Value(Column::kToneSelect);
  if (const std::optional<int> position = WordPosition(kToneSelectTable, select)) {
    entry.ToneSelect = static_cast<std::int16_t>(*position);
  } else if (!select.empty()) {
    row.Problem(Column::kToneSelect, Shown(select) +
                                         " is not a tone selection: VFO, TSQ, REV TSQ, TRAN, "
                                         "V.INV or DCS");
  }
  entry.TsqTone = ReadTone(row, Column::kTsq);
  entry.RevTsqTone = ReadTone(row, Column::kRevTsq);
  entry.DcsCode = ReadDcsCode(row, Column::kDcs);
  entry.Scrambler = ReadNumberField(row, Column::kScrambler, kChannelScramblerTable,
                                    "a scrambler carrier: 3200 to 3500 Hz in steps of 20");
  entry.TrainTone = ReadNumberField(row, Column::kTrain, kChannelTrainToneTable,
                                    "a train tone: 300 to 3000 Hz in steps of 50, or 2280");
  const std::string_view polarity = row.Value(Column::kDcsPolarity);
  entry.RevDcs = 0;
  if (const std::optional<int> position = WordPosition(kChannelDcsPolarityTable, polarity)) {
    entry.RevDcs = static_cast<std::int16_t>(*position);
  } else if (!polarity.empty()) {
    row.Problem(Column::kDcsPolarity, Shown(polarity) + " is not a DCS polarity: NORMAL or REV");
  }
}

// The common layout's tone columns: only those its tone mode uses are read, because lists fill
// the others with defaults.
void ReadCommonTones(RowReader& row, ChannelEntry& entry) {
  const std::string_view tone = row.Value(Column::kTone);
  entry.RevDcs = 0;
  if (tone.empty() || SameWord(tone, "Tone")) return;  // a transmit tone: open squelch here
  if (SameWord(tone, "TSQL")) {
    entry.ToneSelect = PositionOf(ToneSelect::kTsq);
    entry.TsqTone = ReadTone(row, Column::kCToneFreq);
    return;
  }
  if (!SameWord(tone, "DTCS")) {
    row.Problem(Column::kTone,
                Shown(tone) + " is not a tone mode the receiver has: Tone, TSQL or DTCS");
    return;
  }
  entry.ToneSelect = PositionOf(ToneSelect::kDcs);
  entry.DcsCode = ReadDcsCode(row, Column::kDtcsCode);
  const std::string_view polarity = row.Value(Column::kDtcsPolarity);
  if (polarity.empty()) return;
  const auto letter = [](char c) { return c == 'N' || c == 'n' || c == 'R' || c == 'r'; };
  if (polarity.size() != 2 || !letter(polarity[0]) || !letter(polarity[1])) {
    row.Problem(Column::kDtcsPolarity,
                Shown(polarity) + " is not a DCS polarity: NN, NR, RN or RR");
    return;
  }
  // Transmit letter first: the receiver only receives.
  entry.RevDcs = (polarity[1] == 'R' || polarity[1] == 'r') ? 1 : 0;
}

// The step the row gives: its table position, nullopt for text that names no step of the
// receiver, and the text itself ("" when none is given).
struct GivenStep {
  std::optional<int> position;
  std::string_view text;
};

GivenStep ReadStep(const RowReader& row) {
  const std::string_view text = row.Value(Pick(row.layout(), Column::kStep, Column::kTStep));
  if (text.empty() || SameWord(text, TableEntry(kStepTable, kAutoStep))) {
    return {text.empty() ? std::nullopt : std::optional<int>(kAutoStep), text};
  }
  return {NumberPosition(kStepTable, text), text};
}

bool OnlyLocation(const CsvRecord& record, const Header& header) {
  const auto location = header.cell[static_cast<std::size_t>(Column::kLocation)];
  for (std::size_t i = 0; i < record.cells.size(); ++i) {
    if (i != location && !Trimmed(record.cells[i].text).empty()) return false;
  }
  return location.has_value();
}

void ReadRow(const Header& header, const CsvRecord& record, std::map<int, int>& locations,
             ChannelTable& table) {
  RowReader row(header, record, table);
  if (record.cells.size() < header.spelled.size()) {
    table.problems.push_back({record.line, ColumnName(header.spelled, record.cells.size()),
                              "the row ends before this column; is the text cut short?"});
    return;
  }
  const std::optional<int> location = ReadLocation(row, locations);
  if (OnlyLocation(record, header)) {
    if (!row.failed()) table.rows.push_back({record.line, location, MemoryChannel{}});
    return;
  }
  ChannelEntry entry;
  entry.Name = ReadName(row);
  const std::optional<std::int64_t> hz = ReadFrequency(row);
  if (hz) entry.Frequency = MhzOfHz(*hz);
  entry.Mode = ReadMode(row);
  if (header.layout == Layout::kCommon) {
    ReadCommonTones(row, entry);
  } else {
    ReadOwnTones(row, entry);
  }
  const GivenStep given = ReadStep(row);
  if (row.failed()) return;

  // ValidateChannel keeps the step of the channel it is given when frequency and mode are the
  // same; otherwise it derives one. So a step the row may keep goes in as that channel's.
  MemoryChannel basis;
  if (hz) {
    std::optional<int> kept;
    if (given.position && FitsStep(*hz, entry.Mode, *given.position)) {
      kept = given.position;
    } else if (IsStoredAviation(*hz)) {
      kept = kAviationStep;
    }
    if (kept) {
      basis.Frequency = ExactText(LeadingNumber(entry.Frequency) * 1000000.0);
      basis.Mode = entry.Mode;
      basis.Step = static_cast<std::int16_t>(*kept);
    }
  }
  std::expected<MemoryChannel, ChannelProblem> channel = ValidateChannel(entry, basis);
  if (!channel) {
    std::string reason = channel.error().reason;
    // The rules show the frequency rounded to 10 Hz; the row's own text tells which row it is.
    const std::string rounded = FormatFixed5(LeadingNumber(entry.Frequency)) + " MHz";
    if (channel.error().field == ChannelField::kFrequency && reason.starts_with(rounded)) {
      reason.replace(0, rounded.size() - 4, row.Value(Column::kFrequency));
    }
    row.Problem(ColumnOf(channel.error().field, header.layout), std::move(reason));
    return;
  }
  if (!given.text.empty() && given.position != channel->Step) {
    const Column column = Pick(header.layout, Column::kStep, Column::kTStep);
    const std::string used =
        "step " + std::string(TableEntry(kStepTable, channel->Step)) + " is used";
    row.Warning(column, given.position
                            ? "step " + std::string(given.text) + " does not fit " +
                                  entry.Frequency + " MHz; " + used
                            : Shown(given.text) + " is not a step the receiver has; " + used);
  }
  table.rows.push_back({record.line, location, std::move(*channel)});
}

bool IsBlankRecord(const CsvRecord& record) {
  for (const CsvCell& cell : record.cells) {
    if (!Trimmed(cell.text).empty()) return false;
  }
  return true;
}

TableNote NoteOf(const CsvError& error, const std::vector<std::string>& spelled) {
  return {error.line, ColumnName(spelled, error.cell), error.reason};
}

}  // namespace

std::vector<NumberedChannel> ProgrammedChannels(const RadioConfig& record) {
  std::vector<NumberedChannel> channels;
  for (int number = 1; number <= kChannelCount; ++number) {
    if (record.Channel(number).IsProgrammed()) channels.push_back({number, record.Channel(number)});
  }
  return channels;
}

std::string FormatChannelTable(std::span<const NumberedChannel> channels, char delimiter) {
  std::string out;
  std::vector<std::string> cells;
  for (std::size_t c = 0; c < kOwnColumnCount; ++c) cells.emplace_back(kColumns[c].header);
  AppendCsvRecord(out, cells, delimiter);
  for (const auto& [number, channel] : channels) {
    cells.assign(kOwnColumnCount, std::string());
    cells[0] = std::to_string(number);
    if (channel.IsProgrammed()) {
      const auto text = [&](ChannelColumn column) {
        return std::string(TrimBlanks(ChannelText(channel, number, column)));
      };
      cells = {cells[0],
               Cp1252ToUtf8(channel.Name),
               ExactMhzText(channel.Frequency),
               text(ChannelColumn::kMode),
               text(ChannelColumn::kToneSelect),
               text(ChannelColumn::kTsq),
               text(ChannelColumn::kRevTsq),
               text(ChannelColumn::kDcs),
               text(ChannelColumn::kRevDcs),
               text(ChannelColumn::kScrambler),
               text(ChannelColumn::kTrain),
               std::string(TableEntry(kStepTable, channel.Step))};
    }
    AppendCsvRecord(out, cells, delimiter);
  }
  return out;
}

std::string TableNote::ToString(std::string_view source) const {
  std::string text(source);
  if (!text.empty()) text += ", ";
  text += "line " + std::to_string(line);
  if (!column.empty()) text += ", column " + column;
  return text + ": " + message;
}

ChannelTable ParseChannelTable(std::string_view text, char delimiter) {
  ChannelTable table;
  CsvReader reader(text, delimiter);
  if (reader.AtEnd()) {
    table.problems.push_back(
        {1, "", "there is no text; the first row must name the columns, as in " + OwnHeaderList()});
    return table;
  }
  // Read as one line, a list with CR alone after every line would have no rows at all.
  const std::string_view first_line = text.substr(0, text.find('\n'));
  if (const std::size_t cr = first_line.find('\r');
      cr != std::string_view::npos && cr + 1 < first_line.size()) {
    table.problems.push_back({1, "",
                              "the line ends are not recognised: the lines end with CR alone, a "
                              "channel list's lines end with CR LF (or LF)"});
    return table;
  }
  const auto first = reader.Next();
  if (!first) {
    table.problems.push_back(NoteOf(first.error(), {}));
    return table;
  }
  const std::optional<Header> header = ReadHeader(*first, table);
  if (!header) return table;
  std::map<int, int> locations;  // channel number -> the line that gives it
  int rows = 0;
  int blank_lines = 0;  // not rows, but not without end either
  while (!reader.AtEnd()) {
    if (table.problems.size() >= kMaxProblems) {
      table.problems.push_back(ReadingStops(table.problems.back().line));
      break;
    }
    const auto record = reader.Next();
    if (!record) {
      table.problems.push_back(NoteOf(record.error(), header->spelled));
      break;
    }
    if (IsBlankRecord(*record)) {
      if (++blank_lines > kMaxBlankLines) {
        table.problems.push_back({record->line, "",
                                  "more than " + std::to_string(kMaxBlankLines) +
                                      " blank lines; is this a channel list?"});
        break;
      }
      continue;
    }
    if (++rows > kChannelCount) {
      table.problems.push_back({record->line, "",
                                "more than " + std::to_string(kChannelCount) +
                                    " channel rows; the receiver has " +
                                    std::to_string(kChannelCount) + " channels"});
      break;
    }
    ReadRow(*header, *record, locations, table);
  }
  return table;
}

bool StartsWithHeaderRow(std::string_view text, char delimiter) {
  CsvReader reader(text, delimiter);
  const auto first = reader.Next();
  if (!first) return false;
  return std::ranges::any_of(first->cells, [](const CsvCell& cell) {
    return std::ranges::any_of(kColumns, [&cell](const ColumnSpec& column) {
      return SameWord(column.header, HeaderName(cell.text));
    });
  });
}

}  // namespace kestrel
