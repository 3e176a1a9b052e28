#include "files/channel_csv.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>

#include "files/channel_cells.h"
#include "files/csv_records.h"
#include "model/channel.h"
#include "model/channel_rules.h"
#include "model/cp1252.h"
#include "model/display_texts.h"
#include "model/frequency_text.h"
#include "model/number_text.h"
#include "model/value_tables.h"

namespace kestrel {

namespace {

using namespace cells;

constexpr std::size_t kMaxProblems = 100;
constexpr int kMaxBlankLines = 1000;

// The columns reading knows. The first twelve are the tool's own, in the order they are written.
enum class Column : std::size_t {
  kNumber,
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
  kLocation,
  kTone,
  kCToneFreq,
  kDtcsCode,
  kDtcsPolarity,
  kRxDtcsCode,
  kCrossMode,
  kTStep,
  kFrequencyOutput,
  kAlphaTag,
  kPlTone,
  kKnownOnly,  // from here on: known, but a receiver has no place for them
};
constexpr std::size_t kOwnColumnCount = 12;

// Which layout a column belongs to: the tool's own, the common channel-list layout other tools
// write, a frequency database's, or more than one.
enum Layout : unsigned { kOwn = 1, kCommon = 2, kDatabase = 4, kOwnAndCommon = 3, kAny = 7 };

struct ColumnSpec {
  std::string_view header;
  unsigned layouts;
};

constexpr ColumnSpec kColumns[]{
    {"No.", kOwn},
    {"Name", kOwnAndCommon},
    {"Frequency", kOwnAndCommon},
    {"Mode", kAny},
    {"ToneSelect", kOwn},
    {"TSQ", kOwn},
    {"RevTSQ", kOwn},
    {"DCS", kOwn},
    {"DCSPolarity", kOwn},
    {"Scrambler", kOwn},
    {"Train", kOwn},
    {"Step", kOwn},
    {"Location", kOwnAndCommon},
    {"Tone", kCommon},
    {"cToneFreq", kCommon},
    {"DtcsCode", kCommon},
    {"DtcsPolarity", kCommon},
    {"RxDtcsCode", kCommon},
    {"CrossMode", kCommon},
    {"TStep", kCommon},
    {"Frequency Output", kDatabase},
    {"Alpha Tag", kDatabase},
    {"PL Tone", kDatabase},
    // Known, not read.
    {"Duplex", kCommon},
    {"Offset", kCommon},
    {"rToneFreq", kCommon},
    {"Skip", kCommon},
    {"Power", kCommon},
    {"Comment", kCommon},
    {"URCALL", kCommon},
    {"RPT1CALL", kCommon},
    {"RPT2CALL", kCommon},
    {"DVCODE", kCommon},
    {"Frequency Input", kDatabase},
    {"FCC Callsign", kDatabase},
    {"Agency/Category", kDatabase},
    {"Description", kDatabase},
    {"Class Station Code", kDatabase},
    {"Tag", kDatabase},
};
constexpr std::size_t kColumnCount = std::size(kColumns);
constexpr std::size_t kReadCount = static_cast<std::size_t>(Column::kKnownOnly);

const ColumnSpec& SpecOf(Column column) {
  return kColumns[static_cast<std::size_t>(column)];
}

std::string_view Trimmed(std::string_view text) {
  return TrimBlanks(text);
}

// A note about the table at `line`: `column` as the header spells it, or "" for the whole line.
Finding Note(Severity severity, int line, std::string column, std::string message) {
  return {.line = line,
          .field = std::move(column),
          .message = std::move(message),
          .severity = severity};
}

// A column as notes name it: its header, or its number from 1 when the header leaves it blank.
std::string ColumnName(const std::vector<std::string>& spelled, std::size_t cell) {
  return cell < spelled.size() && !spelled[cell].empty() ? Shown(spelled[cell])
                                                         : std::to_string(cell + 1);
}

// The note that ends the problems once kMaxProblems are told.
Finding ReadingStops(int line) {
  return Note(Severity::kTableProblem, line, "",
              "reading stops after " + std::to_string(kMaxProblems) + " problems");
}

// ---- Header -------------------------------------------------------------------------------

// A header cell's name: spaces and tabs around it do not count.
std::string_view HeaderName(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
  text.remove_suffix(text.size() - (text.find_last_not_of(" \t") + 1));
  return text;
}

struct Header {
  Layout layout = kOwn;
  std::array<std::optional<std::size_t>, kReadCount> cell{};  // where each column read is
  std::vector<std::string> spelled;                           // every header cell, trimmed
  // The column that numbers the channels, and the number it gives the first: the tool's own
  // files exported before `No.` counted Location from 1, everything else counts as the grid
  // shows the channels, from 0.
  Column number = Column::kNumber;
  int first_number = 0;
  bool decimal_comma = false;  // a semicolon-separated table, as spreadsheets of many countries
                               // save it, writes 145,5 for 145.5
};

std::string OwnHeaderList() {
  std::string list;
  for (std::size_t c = 0; c < kOwnColumnCount; ++c) {
    if (c > 0) list += ',';
    list += kColumns[c].header;
  }
  return list;
}

bool Has(const Header& header, Column column) {
  return header.cell[static_cast<std::size_t>(column)].has_value();
}

std::optional<Header> ReadHeader(const CsvRecord& record, char delimiter, ChannelTable& table) {
  Header header;
  header.decimal_comma = delimiter == ';';
  std::array<std::optional<std::size_t>, kColumnCount> found{};
  unsigned layouts = 0;
  for (std::size_t i = 0; i < record.cells.size(); ++i) {
    const std::string_view text = HeaderName(record.cells[i].text);
    header.spelled.emplace_back(text);
    if (text.starts_with("\xEF\xBB\xBF")) {
      table.problems.push_back(Note(Severity::kTableProblem, record.line,
                                    ColumnName(header.spelled, i),
                                    "a byte-order mark stands before the column's name; only the "
                                    "text may start with one"));
      continue;
    }
    for (std::size_t c = 0; c < kColumnCount; ++c) {
      if (!SameWord(kColumns[c].header, text)) continue;
      if (found[c]) {
        // Told as often as row problems are, and then once that reading stops.
        if (table.problems.size() < kMaxProblems) {
          table.problems.push_back(Note(Severity::kTableProblem, record.line, Shown(text),
                                        "the header row names this column twice"));
        } else if (table.problems.size() == kMaxProblems) {
          table.problems.push_back(ReadingStops(record.line));
        }
      } else {
        found[c] = i;
        // The columns of one layout alone tell which it is.
        if (std::has_single_bit(kColumns[c].layouts)) layouts |= kColumns[c].layouts;
      }
      break;
    }
  }
  header.layout = layouts & kDatabase ? kDatabase : layouts & kOwn ? kOwn : kCommon;
  std::vector<bool> used(record.cells.size());
  for (std::size_t c = 0; c < kReadCount; ++c) {
    if (found[c] && (kColumns[c].layouts & header.layout)) header.cell[c] = found[c];
  }
  if (header.layout == kOwn && !Has(header, Column::kNumber) && Has(header, Column::kLocation)) {
    header.number = Column::kLocation;
    header.first_number = 1;
  } else if (header.layout == kCommon) {
    header.number = Column::kLocation;
  }
  if (header.layout == kOwn && Has(header, Column::kNumber)) {
    header.cell[static_cast<std::size_t>(Column::kLocation)].reset();
  }
  for (std::size_t c = 0; c < kReadCount; ++c) {
    if (header.cell[c]) used[*header.cell[c]] = true;
  }
  const Column frequency =
      header.layout == kDatabase ? Column::kFrequencyOutput : Column::kFrequency;
  for (Column required : {frequency, Column::kMode}) {
    if (Has(header, required)) continue;
    const std::string name(SpecOf(required).header);
    table.problems.push_back(Note(Severity::kTableProblem, record.line, name,
                                  "the first row names no " + name +
                                      " column; it must name the columns, as in " +
                                      OwnHeaderList()));
  }
  if (!table.problems.empty()) return std::nullopt;
  std::string ignored;
  for (std::size_t i = 0; i < record.cells.size(); ++i) {
    if (used[i] || header.spelled[i].empty()) continue;
    ignored += (ignored.empty() ? "" : ", ") + Shown(header.spelled[i]);
  }
  if (!ignored.empty()) {
    table.warnings.push_back(
        Note(Severity::kWarning, record.line, "",
             "these columns are ignored, a receiver has no place for them: " + ignored));
  }
  return header;
}

// The separator of a table file: the one of comma, semicolon and tab that the header line holds
// most often outside quotes; a comma when it holds none.
char FindDelimiter(std::string_view text) {
  std::size_t counts[3]{};
  bool quoted = false;
  for (const char c : text.substr(0, text.find('\n'))) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    counts[0] += c == ',';
    counts[1] += c == ';';
    counts[2] += c == '\t';
  }
  const std::size_t most = std::max({counts[0], counts[1], counts[2]});
  return most == 0 || counts[0] == most ? ',' : counts[1] == most ? ';' : '\t';
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
  // A cell without the blanks around it; with a decimal comma, a number as it is read.
  std::string_view Value(Column column) {
    const std::string_view value = Trimmed(Cell(column));
    if (!header_.decimal_comma || value.find(',') == std::string_view::npos) return value;
    std::string& number = numbers_.emplace_back(value);
    std::replace(number.begin(), number.end(), ',', '.');
    return number;
  }

  void Problem(Column column, std::string message) {
    failed_ = true;
    table_.problems.push_back(
        Note(Severity::kProblem, LineOf(column), NameOf(column), std::move(message)));
  }
  void Warning(Column column, std::string message) {
    table_.warnings.push_back(
        Note(Severity::kWarning, LineOf(column), NameOf(column), std::move(message)));
  }
  std::string NameOf(Column column) const {
    const auto& index = header_.cell[static_cast<std::size_t>(column)];
    return index ? header_.spelled[*index] : std::string(SpecOf(column).header);
  }

 private:
  int LineOf(Column column) const {
    const auto& index = header_.cell[static_cast<std::size_t>(column)];
    return index ? record_.cells[*index].line : record_.line;
  }

  const Header& header_;
  const CsvRecord& record_;
  ChannelTable& table_;
  std::deque<std::string> numbers_;  // the cells Value rewrote; views into them stay valid
  bool failed_ = false;
};

// The column of each layout that holds a value.
Column Pick(Layout layout, Column own, Column common, Column database) {
  return layout == kCommon ? common : layout == kDatabase ? database : own;
}

// The column a field of ValidateChannel's answer is read from.
Column ColumnOf(ChannelField field, Layout layout) {
  switch (field) {
    case ChannelField::kName:
      return Pick(layout, Column::kName, Column::kName, Column::kAlphaTag);
    case ChannelField::kMode:
      return Column::kMode;
    case ChannelField::kStep:
      return Pick(layout, Column::kStep, Column::kTStep, Column::kFrequencyOutput);
    case ChannelField::kToneSelect:
      return Pick(layout, Column::kToneSelect, Column::kTone, Column::kPlTone);
    case ChannelField::kTsqTone:
      return Pick(layout, Column::kTsq, Column::kCToneFreq, Column::kPlTone);
    case ChannelField::kRevTsqTone:
      return Pick(layout, Column::kRevTsq, Column::kCToneFreq, Column::kPlTone);
    case ChannelField::kDcsCode:
      return Pick(layout, Column::kDcs, Column::kDtcsCode, Column::kPlTone);
    case ChannelField::kRevDcs:
      return Pick(layout, Column::kDcsPolarity, Column::kDtcsPolarity, Column::kPlTone);
    case ChannelField::kScrambler:
      return Column::kScrambler;
    case ChannelField::kTrainTone:
      return Column::kTrain;
    default:
      return Pick(layout, Column::kFrequency, Column::kFrequency, Column::kFrequencyOutput);
  }
}

std::optional<int> ReadLocation(RowReader& row, const Header& header, std::map<int, int>& seen) {
  const std::string_view text = row.Value(header.number);
  if (text.empty()) return std::nullopt;
  const int first = header.first_number, last = first + kChannelCount - 1;
  const std::optional<double> number = PlainNumber(text);
  if (!number || *number < first || *number > last || *number != std::floor(*number)) {
    row.Problem(header.number, Shown(text) + " is not a channel number from " +
                                   std::to_string(first) + " to " + std::to_string(last));
    return std::nullopt;
  }
  const int location = static_cast<int>(*number) + 1 - first;
  const auto [where, added] = seen.emplace(location, row.line());
  if (!added) {
    row.Problem(header.number,
                row.NameOf(header.number) + " " + std::string(text) + " (channel " +
                    ChannelNumberText(location) + ") is given on line " +
                    std::to_string(where->second) +
                    " already; the first row keeps it (--at places rows one after another)");
    return std::nullopt;
  }
  return location;
}

// The tool's own files keep a name exactly, blanks included; other lists pad and indent theirs.
std::string ReadName(RowReader& row) {
  const Column column = row.layout() == kDatabase ? Column::kAlphaTag : Column::kName;
  const std::string_view text = row.layout() == kOwn ? row.Cell(column) : Trimmed(row.Cell(column));
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::optional<char32_t> c = NextCharacter(text, pos);
    if (!c) {
      row.Problem(column, Quoted(text) + " is not UTF-8 text");
      return {};
    }
    if (IsControl(*c)) {
      row.Problem(column, Quoted(text) + " holds a line break or another control character");
      return {};
    }
  }
  const std::optional<std::string> bytes = Utf8ToCp1252(text);
  if (!bytes) {
    row.Problem(column, Quoted(text) +
                            " holds a character that Windows-1252 cannot hold, so the "
                            "receiver cannot show it");
    return {};
  }
  if (bytes->size() <= kNameLength) return std::string(text);
  std::string cut = Cp1252ToUtf8(bytes->substr(0, kNameLength));
  if (row.layout() != kOwn) cut = std::string(TrimBlanks(cut));
  row.Warning(column,
              Quoted(text) + " is cut to " + Quoted(cut) + ": the receiver keeps six characters");
  return cut;
}

std::optional<std::int64_t> ReadFrequency(RowReader& row) {
  const Column column = row.layout() == kDatabase ? Column::kFrequencyOutput : Column::kFrequency;
  const std::string_view text = row.Value(column);
  if (text.empty()) return std::nullopt;  // ValidateChannel names it
  const std::optional<std::int64_t> hz = ParseMhz(text);
  if (!hz) row.Problem(column, Quoted(text) + " is not a frequency in MHz such as 145.5");
  return hz;
}

// The mode words of other tools and databases: narrow FM is FM to this receiver.
std::int16_t ReadMode(RowReader& row) {
  const std::string_view text = row.Value(Column::kMode);
  if (text.empty()) return PositionOf(ChannelMode::kBlank);
  constexpr std::pair<std::string_view, ChannelMode> kAliases[]{{"NFM", ChannelMode::kFm},
                                                                {"FMN", ChannelMode::kFm},
                                                                {"AMN", ChannelMode::kAm},
                                                                {"FMW", ChannelMode::kWfm}};
  for (const auto& [word, mode] : kAliases) {
    if (SameWord(text, word)) return PositionOf(mode);
  }
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

// DCS with `code` and the receive (second) letter of the common layout's `DtcsPolarity`: the
// transmit letter comes first, and the receiver only receives.
void ReadCommonDcs(RowReader& row, ChannelEntry& entry, Column code) {
  entry.ToneSelect = PositionOf(ToneSelect::kDcs);
  entry.DcsCode = ReadDcsCode(row, code);
  const std::string_view polarity = row.Value(Column::kDtcsPolarity);
  if (polarity.empty()) return;
  const auto letter = [](char c) { return c == 'N' || c == 'n' || c == 'R' || c == 'r'; };
  if (polarity.size() != 2 || !letter(polarity[0]) || !letter(polarity[1])) {
    row.Problem(Column::kDtcsPolarity,
                Shown(polarity) + " is not a DCS polarity: NN, NR, RN or RR");
    return;
  }
  entry.RevDcs = (polarity[1] == 'R' || polarity[1] == 'r') ? 1 : 0;
}

// The common layout's tone columns: only those its tone mode uses are read, because lists fill
// the others with defaults. A transmit tone ("Tone") leaves the squelch open here.
void ReadCommonTones(RowReader& row, ChannelEntry& entry) {
  const std::string_view tone = row.Value(Column::kTone);
  entry.RevDcs = 0;
  if (tone.empty() || SameWord(tone, "Tone")) return;
  if (SameWord(tone, "TSQL")) {
    entry.ToneSelect = PositionOf(ToneSelect::kTsq);
    entry.TsqTone = ReadTone(row, Column::kCToneFreq);
  } else if (SameWord(tone, "TSQL-R")) {
    entry.ToneSelect = PositionOf(ToneSelect::kRevTsq);
    entry.RevTsqTone = ReadTone(row, Column::kCToneFreq);
  } else if (SameWord(tone, "DTCS")) {
    ReadCommonDcs(row, entry, Column::kDtcsCode);
  } else if (SameWord(tone, "Cross")) {
    // "transmit->receive": only the receive side is this receiver's.
    const std::string_view cross = row.Value(Column::kCrossMode);
    const std::size_t arrow = cross.find("->");
    const std::string_view receive =
        arrow == std::string_view::npos ? std::string_view() : Trimmed(cross.substr(arrow + 2));
    if (arrow == std::string_view::npos) {
      row.Problem(Column::kCrossMode, Shown(cross) + " is not a cross mode such as Tone->DTCS");
    } else if (SameWord(receive, "Tone")) {
      entry.ToneSelect = PositionOf(ToneSelect::kTsq);
      entry.TsqTone = ReadTone(row, Column::kCToneFreq);
    } else if (SameWord(receive, "DTCS")) {
      ReadCommonDcs(row, entry, Column::kRxDtcsCode);
    } else if (!receive.empty()) {
      row.Problem(Column::kCrossMode, Shown(cross) + " receives with " + Shown(receive) +
                                          ", which the receiver has not: Tone or DTCS");
    }
  } else {
    row.Problem(Column::kTone, Shown(tone) +
                                   " is not a tone mode the receiver has: Tone, TSQL, TSQL-R, "
                                   "DTCS or Cross");
  }
}

// A frequency database's `PL Tone`: "88.5" or "136.5 PL" is TSQ, "023 DPL", "DPL 023" or "D023"
// DCS (a trailing N is normal, I or R reversed), "CSQ" or nothing carrier squelch. Anything else
// ("NAC 293", "RAN 1", "CC 1") is the code of a digital system.
void ReadDatabaseTone(RowReader& row, ChannelEntry& entry) {
  std::string text(row.Value(Column::kPlTone));
  entry.RevDcs = 0;
  if (text.empty() || SameWord(text, "CSQ")) return;
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const auto without = [](std::string value, std::string_view word) {
    if (const std::size_t at = value.find(word); at != std::string::npos)
      value.erase(at, word.size());
    return std::string(Trimmed(value));
  };
  if (const std::string tone = without(text, " PL"); IsPlainDecimal(tone)) {
    entry.ToneSelect = PositionOf(ToneSelect::kTsq);
    if (const auto position = NumberPosition(kChannelToneTable, tone)) {
      entry.TsqTone = static_cast<std::int16_t>(*position);
    } else {
      row.Problem(Column::kPlTone, Shown(text) + " is not a CTCSS tone the receiver has");
    }
    return;
  }
  std::string code = without(text, "DPL");
  if (code.starts_with('D')) code.erase(0, 1);
  bool reverse = false;
  if (!code.empty() && (code.back() == 'N' || code.back() == 'I' || code.back() == 'R')) {
    reverse = code.back() != 'N';
    code.pop_back();
  }
  if (code.empty() || code.size() > 3 || !IsPlainDecimal(code) ||
      code.find('.') != std::string::npos) {
    row.Problem(Column::kPlTone, Shown(text) +
                                     " is the code of a digital system; the receiver receives "
                                     "analog FM, WFM and AM only");
    return;
  }
  entry.ToneSelect = PositionOf(ToneSelect::kDcs);
  entry.RevDcs = reverse ? 1 : 0;
  if (const auto position = NumberPosition(kChannelDcsTable, code)) {
    entry.DcsCode = static_cast<std::int16_t>(*position);
  } else {
    row.Problem(Column::kPlTone, Shown(text) + " is not a DCS code");
  }
}

// The step the row gives: its table position, nullopt for text that names no step of the
// receiver, and the text itself ("" when none is given).
struct GivenStep {
  std::optional<int> position;
  std::string_view text;
};

GivenStep ReadStep(RowReader& row) {
  if (row.layout() == kDatabase) return {};
  const std::string_view text = row.Value(row.layout() == kOwn ? Column::kStep : Column::kTStep);
  if (text.empty() || SameWord(text, TableEntry(kStepTable, kAutoStep))) {
    return {text.empty() ? std::nullopt : std::optional<int>(kAutoStep), text};
  }
  return {NumberPosition(kStepTable, text), text};
}

bool OnlyLocation(const CsvRecord& record, const Header& header) {
  const auto location = header.cell[static_cast<std::size_t>(header.number)];
  for (std::size_t i = 0; i < record.cells.size(); ++i) {
    if (i != location && !Trimmed(record.cells[i].text).empty()) return false;
  }
  return location.has_value();
}

void ReadRow(const Header& header, const CsvRecord& record, bool read_location,
             std::map<int, int>& locations, ChannelTable& table) {
  RowReader row(header, record, table);
  if (record.cells.size() < header.spelled.size()) {
    table.problems.push_back(Note(Severity::kProblem, record.line,
                                  ColumnName(header.spelled, record.cells.size()),
                                  "the row ends before this column; is the text cut short?"));
    return;
  }
  const std::optional<int> location =
      read_location ? ReadLocation(row, header, locations) : std::nullopt;
  if (OnlyLocation(record, header)) {
    if (!row.failed() && read_location) {
      table.rows.push_back({record.line, location, MemoryChannel{}});
    }
    return;
  }
  ChannelEntry entry;
  entry.Name = ReadName(row);
  const std::optional<std::int64_t> hz = ReadFrequency(row);
  if (hz) entry.Frequency = MhzOfHz(*hz);
  entry.Mode = ReadMode(row);
  if (header.layout == kCommon) {
    ReadCommonTones(row, entry);
  } else if (header.layout == kDatabase) {
    ReadDatabaseTone(row, entry);
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
      basis.Frequency = ExactText(EntryHz(entry.Frequency));
      basis.Mode = entry.Mode;
      basis.Step = static_cast<std::int16_t>(*kept);
    }
  }
  std::expected<MemoryChannel, ChannelRefusal> channel = ValidateChannel(entry, basis);
  if (!channel) {
    std::string reason = channel.error().finding.message;
    // The rules show the frequency rounded to 10 Hz; the row's own text tells which row it is.
    const std::string rounded = FormatFixed5(LeadingNumber(entry.Frequency)) + " MHz";
    const Column column = ColumnOf(channel.error().field, header.layout);
    if (channel.error().field == ChannelField::kFrequency && reason.starts_with(rounded)) {
      reason.replace(0, rounded.size() - 4, row.Value(column));
    }
    row.Problem(column, std::move(reason));
    return;
  }
  if (!given.text.empty() && given.position != channel->Step) {
    const Column column = header.layout == kOwn ? Column::kStep : Column::kTStep;
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

Finding NoteOf(const CsvError& error, const std::vector<std::string>& spelled) {
  return Note(Severity::kTableProblem, error.line, ColumnName(spelled, error.cell), error.reason);
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
    cells[0] = ChannelNumberText(number);
    if (channel.IsProgrammed()) {
      const auto text = [&](ChannelColumn column) {
        return std::string(TrimBlanks(ChannelText(channel, number, column)));
      };
      cells = {cells[0],
               Cp1252ToUtf8(channel.Name),
               cells::ExactMhzText(channel.Frequency),
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

ChannelTable ParseChannelTable(std::string_view text, char delimiter, bool read_location) {
  ChannelTable table;
  if (delimiter == kAnyDelimiter) delimiter = FindDelimiter(text);
  CsvReader reader(text, delimiter);
  if (reader.AtEnd()) {
    table.problems.push_back(
        Note(Severity::kTableProblem, 1, "",
             "there is no text; the first row must name the columns, as in " + OwnHeaderList()));
    return table;
  }
  // Read as one line, a list with CR alone after every line would have no rows at all.
  const std::string_view first_line = text.substr(0, text.find('\n'));
  if (const std::size_t cr = first_line.find('\r');
      cr != std::string_view::npos && cr + 1 < first_line.size()) {
    table.problems.push_back(
        Note(Severity::kTableProblem, 1, "",
             "the line ends are not recognised: the lines end with CR alone, a "
             "channel list's lines end with CR LF (or LF)"));
    return table;
  }
  const auto first = reader.Next();
  if (!first) {
    table.problems.push_back(NoteOf(first.error(), {}));
    return table;
  }
  const std::optional<Header> header = ReadHeader(*first, delimiter, table);
  if (!header) return table;
  std::map<int, int> locations;  // channel number -> the line that gives it
  int blank_lines = 0;           // not rows, but not without end either
  while (!reader.AtEnd()) {
    const auto record = reader.Next();
    if (!record) {
      table.problems.push_back(NoteOf(record.error(), header->spelled));
      break;
    }
    if (IsBlankRecord(*record)) {
      if (++blank_lines > kMaxBlankLines) {
        table.problems.push_back(Note(Severity::kTableProblem, record->line, "",
                                      "more than " + std::to_string(kMaxBlankLines) +
                                          " blank lines; is this a channel list?"));
        break;
      }
      continue;
    }
    if (++table.row_count > kChannelCount) {
      table.problems.push_back(Note(Severity::kTableProblem, record->line, "",
                                    "more than " + std::to_string(kChannelCount) +
                                        " channel rows; the receiver has " +
                                        std::to_string(kChannelCount) + " channels"));
      break;
    }
    const std::size_t problems = table.problems.size(), rows = table.rows.size();
    ReadRow(*header, *record, read_location, locations, table);
    if (table.problems.size() > problems && table.rows.size() == rows) ++table.rows_left_out;
  }
  return table;
}

bool RefusesWholeTable(std::span<const Finding> problems) {
  return std::ranges::any_of(
      problems, [](const Finding& problem) { return problem.severity == Severity::kTableProblem; });
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
