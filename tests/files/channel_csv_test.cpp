#include "files/channel_csv.h"

#include <gtest/gtest.h>

#include <random>

#include "files/channel_import.h"
#include "model/channel_rules.h"
#include "model/defaults.h"

namespace kestrel {
namespace {

constexpr std::int16_t kFm = 1, kAm = 3, kTsq = 1, kDcs = 5;

// One note a line.
std::string Notes(const std::vector<Finding>& notes, std::string_view source = "") {
  std::string texts;
  for (const Finding& note : notes) texts += FindingText(note, source) + "\n";
  return texts;
}

// Channels as the editor stores them: every raster (8.33 kHz included), mode and tone
// selection, and names with the characters a table has to quote.
MemoryChannel RandomChannel(std::mt19937& random) {
  const auto pick = [&](int count) { return std::uniform_int_distribution(0, count - 1)(random); };
  static constexpr std::string_view kLetters[] = {" ", ",", "\"", "A", "z", "0", "é", "€", "-"};
  for (;;) {
    ChannelEntry entry{.Mode = static_cast<std::int16_t>(1 + pick(3))};
    const int raster = pick(4);  // 5, 6.25 and 8.33 kHz (entered as the grid shows it), 9 kHz AM
    const std::int64_t hz = raster == 0   ? 5000LL * (20 + pick(259980))
                            : raster == 1 ? 6250LL * (16 + pick(207999))
                            : raster == 2 ? 25000LL * (4 + pick(51999)) + 8330 * (1 + pick(2))
                                          : 9000LL * (58 + pick(121));
    if (raster == 3) entry.Mode = kAm;
    entry.Frequency = std::to_string(static_cast<double>(hz) / 1e6);  // six decimals: exact
    for (int i = pick(7); i > 0; --i) entry.Name += kLetters[pick(9)];
    entry.ToneSelect = static_cast<std::int16_t>(pick(6));
    entry.TsqTone = static_cast<std::int16_t>(1 + pick(50));
    entry.RevTsqTone = static_cast<std::int16_t>(1 + pick(50));
    entry.DcsCode = static_cast<std::int16_t>(1 + pick(104));
    entry.RevDcs = static_cast<std::int16_t>(pick(2));
    entry.Scrambler = static_cast<std::int16_t>(1 + pick(16));
    entry.TrainTone = static_cast<std::int16_t>(1 + pick(56));
    auto channel = ValidateChannel(entry);
    if (!channel) continue;
    if (pick(5) == 0) channel->Step = 0;  // AUTO, as a receiver may hold it
    return *channel;
  }
}

TEST(ChannelCsv, ExportThenImportGivesBackEveryChannel) {
  std::mt19937 random(20240615);
  std::vector<NumberedChannel> channels;
  for (int number = 1; number <= kChannelCount; ++number) {
    if (random() % 3 == 0) channels.push_back({number, RandomChannel(random)});
  }
  for (char delimiter : {kFileDelimiter, kClipboardDelimiter}) {
    const ChannelTable table =
        ParseChannelTable(FormatChannelTable(channels, delimiter), delimiter);
    EXPECT_EQ(Notes(table.problems) + Notes(table.warnings), "");
    ASSERT_EQ(table.rows.size(), channels.size());
    for (std::size_t i = 0; i < channels.size(); ++i) {
      EXPECT_EQ(table.rows[i].location, channels[i].number);
      EXPECT_EQ(table.rows[i].channel, channels[i].channel) << "row " << i + 2;
    }
  }
}

TEST(ChannelCsv, WritesTheToolsColumnsWithExactFrequencies) {
  const std::vector<NumberedChannel> channels{
      {1, {1, "118008334", "A,B", kAm, 3, kDcs, 0, 0, 28, 1, 0, 0}},
      {7, {}},  // an empty channel, as a copied block of the grid holds it
      {1000, {1, "6030000", " VOA ", kAm, 1, kTsq, 9, 0, 0, -1, 0, 0}}};
  const std::string text = FormatChannelTable(channels);
  EXPECT_EQ(text,
            "No.,Name,Frequency,Mode,ToneSelect,TSQ,RevTSQ,DCS,DCSPolarity,Scrambler,Train,"
            "Step\r\n"
            "000,\"A,B\",118.008334,AM,DCS,,,155,REV,,,8.33\r\n"
            "006,,,,,,,,,,,\r\n"
            "999,\" VOA \",6.03000,AM,TSQ,88.5,,,,,,5\r\n");
  const ChannelTable table = ParseChannelTable(text);
  EXPECT_TRUE(table.problems.empty());
  EXPECT_EQ(table.rows,
            (std::vector<TableRow>{
                {2, 1, channels[0].channel}, {3, 7, {}}, {4, 1000, channels[2].channel}}));
}

TEST(ChannelCsv, WritesTheCommonLayoutForOtherToolsAndReadsItBack) {
  const std::vector<NumberedChannel> channels{
      {1, {1, "146940000", "Rep", kFm, 1, 2, 0, 9, 0, -1, 0, 0}},        // REV TSQ 88.5
      {7, {1, "118008334", "Air", kAm, 3, kDcs, 0, 0, 28, 1, 0, 0}},     // DCS 155 reversed
      {1000, {1, "446006250", "Train", kFm, 2, 3, 0, 0, 0, -1, 0, 5}}};  // TRAN: not held
  std::vector<int> unheld;
  const std::string text = FormatCommonChannelTable(channels, unheld);
  EXPECT_EQ(text,
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
            "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
            "0,Rep,146.94000,,,TSQL-R,,88.5,,,,,FM,5,,,,,,,\r\n"
            "6,Air,118.008334,,,DTCS,,,155,NR,,,AM,8.33,,,,,,,\r\n"
            "999,Train,446.00625,,,,,,,,,,FM,6.25,,,,,,,\r\n");
  EXPECT_EQ(unheld, std::vector<int>{1000});
  const ChannelTable table = ParseChannelTable(text);
  ASSERT_EQ(table.rows.size(), 3u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(table.rows[i].location, channels[i].number);
    EXPECT_EQ(table.rows[i].channel, channels[i].channel);
  }
}

TEST(ChannelCsv, ReadsTheCommonChannelListLayout) {
  const std::string list =
      "\xEF\xBB\xBFLocation,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
      "DtcsPolarity,Mode,TStep,Skip,Comment\n"
      "1,Repeat,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,FM,12.50,,\n"
      "2,Police,155.475000,,0.000000,TSQL,88.5,127.3,023,NN,NFM,12.50,S,\n"
      "3,Fire,154.280000,,0.000000,DTCS,88.5,88.5,155,RN,FM,5.00,,\n"
      "4,\"Air, Tower\",118.300000,,0.000000,,88.5,88.5,023,NN,AM,25.00,,\n"
      "5,Marine 16,156.800000,,0.000000,,88.5,88.5,023,NN,FM,25.00,,\"ch 16, distress\"\n"
      "6,HF Net,14.230000,,0.000000,,88.5,88.5,023,NN,USB,1.00,,\n"
      "5,Again,162.550000,,0.000000,,88.5,88.5,023,NN,FM,25.00,,\n"
      "8,Air833,118.008330,,0.000000,,88.5,88.5,023,NN,AM,8.33,,\n"
      ",\"A \"\"B\"\"\",446.006250,,0.000000,,88.5,88.5,023,NN,NFM,6.25,,\n"
      "11,Tone69,146.520000,,0.000000,TSQL,88.5,69.0,023,NN,FM,5.00,,\n"
      "12,Code99,146.550000,,0.000000,DTCS,88.5,88.5,999,NN,FM,5.00,,\n"
      "13,Higher,1300.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,\n";
  const ChannelTable table = ParseChannelTable(list);
  EXPECT_EQ(table.rows, (std::vector<TableRow>{
                            {2, 2, {1, "146940000", "Repeat", kFm, 1, 0, 0, 0, 0, -1, 0, 0}},
                            {3, 3, {1, "155475000", "Police", kFm, 6, kTsq, 20, 0, 0, -1, 0, 0}},
                            {4, 4, {1, "154280000", "Fire", kFm, 1, kDcs, 0, 0, 28, 0, 0, 0}},
                            {5, 5, {1, "118300000", "Air, T", kAm, 9, 0, 0, 0, 0, -1, 0, 0}},
                            {6, 6, {1, "156800000", "Marine", kFm, 9, 0, 0, 0, 0, -1, 0, 0}},
                            {9, 9, {1, "118008334", "Air833", kAm, 3, 0, 0, 0, 0, -1, 0, 0}},
                            {10, {}, {1, "446006250", "A \"B\"", kFm, 2, 0, 0, 0, 0, -1, 0, 0}},
                        }));
  EXPECT_EQ(Notes(table.problems),
            "line 7, column Mode: USB is not a mode the receiver has: FM, WFM or AM\n"
            "line 8, column Location: Location 5 (channel 005) is given on line 6 already; the "
            "first row keeps it (--at places rows one after another)\n"
            "line 11, column cToneFreq: 69.0 is not a CTCSS tone the receiver has\n"
            "line 12, column DtcsCode: 999 is not a DCS code\n"
            "line 13, column Frequency: 1300.000000 MHz is outside the receiver's range, 0.10000 "
            "MHz to 1299.99500 MHz\n");
  EXPECT_EQ(Notes(table.warnings),
            "line 1: these columns are ignored, a receiver has no place for them: Duplex, Offset, "
            "rToneFreq, Skip, Comment\n"
            "line 2, column TStep: step 12.50 does not fit 146.94000 MHz; step 5 is used\n"
            "line 5, column Name: \"Air, Tower\" is cut to \"Air, T\": the receiver keeps six "
            "characters\n"
            "line 6, column Name: \"Marine 16\" is cut to \"Marine\": the receiver keeps six "
            "characters\n");
}

TEST(ChannelCsv, BadInputIsNamedByLineAndColumn) {
  const std::string columns =
      "Location,Name,Frequency,Mode,ToneSelect,TSQ,RevTSQ,DCS,DCSPolarity,Scrambler,Train,Step";
  const std::string header = columns + "\r\n";
  std::string own = columns;
  own.replace(0, own.find(','), "No.");
  std::string huge = header;
  while (huge.size() < 50'000'000) huge += ",VOA,6.03,AM,,,,,,,,\r\n";
  std::mt19937 random(7);
  std::string garbage(4096, '\0');
  for (char& byte : garbage) byte = static_cast<char>(random());
  // Each text and the first problem found in it.
  const std::pair<std::string, std::string> cases[] = {
      {"", "line 1: there is no text; the first row must name the columns, as in " + own},
      {"1,VOA,6.03,AM\r\n",
       "line 1, column Frequency: the first row names no Frequency column; it must name the "
       "columns, as in " +
           own},
      {header + "1,VOA,6.03,AM,VFO",
       "line 2, column TSQ: the row ends before this column; is the text cut short?"},
      {columns + "\r1,VOA,6.03,AM,,,,,,,,\r",
       "line 1: the line ends are not recognised: the lines end with CR alone, a channel list's "
       "lines end with CR LF (or LF)"},
      {header + "1,VO\rA,6.03,AM,,,,,,,,\r\n",
       "line 2, column Name: the cell holds a CR that ends no line; a cell with a line break "
       "must be quoted"},
      {header + "1e0,VOA,6.03,AM,,,,,,,,\r\n",
       "line 2, column Location: 1e0 is not a channel number from 1 to 1000"},
      {header + "0x10,VOA,6.03,AM,,,,,,,,\r\n",
       "line 2, column Location: 0x10 is not a channel number from 1 to 1000"},
      {header + "0,VOA,6.03,AM,,,,,,,,\r\n",
       "line 2, column Location: 0 is not a channel number from 1 to 1000"},
      {header + "1001,VOA,6.03,AM,,,,,,,,\r\n",
       "line 2, column Location: 1001 is not a channel number from 1 to 1000"},
      {header + "1,VO\x1F"
                "A,6.03,AM,,,,,,,,\r\n",
       "line 2, column Name: \"VO?A\" holds a line break or another control character"},
      {header + "1,VOA,6.03,AM,TSQ,inf,,,,,,\r\n",
       "line 2, column TSQ: inf is not a CTCSS tone the receiver has"},
      {header + "1,VOA,6.03,AM,,,,nan,,,,\r\n", "line 2, column DCS: nan is not a DCS code"},
      {header + "1,VOA,6.03,AM,TSQ,8.85e1,,,,,,\r\n",
       "line 2, column TSQ: 8.85e1 is not a CTCSS tone the receiver has"},
      {"\xEF\xBB\xBFLocation,\xEF\xBB\xBFName,Frequency,Mode\r\n",
       "line 1, column \xEF\xBB\xBFName: a byte-order mark stands before the column's name; "
       "only the text may start with one"},
      {"Location,\tFrequency ,Mode\r\n1,6.03\r\n",
       "line 2, column Mode: the row ends before this column; is the text cut short?"},
      {"Location,,Frequency,Mode\r\n1",
       "line 2, column 2: the row ends before this column; is the text cut short?"},
      {header + "1,VOA,1299.995001,AM,,,,,,,,\r\n",
       "line 2, column Frequency: 1299.995001 MHz is outside the receiver's range, 0.10000 MHz "
       "to 1299.99500 MHz"},
      {header + "1,\"VO",
       "line 2, column Name: the quoted cell is not closed before the end of "
       "the text"},
      {header + "1,\"VO\"A,6.03,AM,,,,,,,,\r\n",
       "line 2, column Name: text follows the closing quote of the cell"},
      {header + "\r\n1,\"VO\nA\",6.03,AM,,,,,,,,\r\n",
       "line 3, column Name: \"VO?A\" holds a line break or another control character"},
      {header + "1,\xFF\xFE,6.03,AM,,,,,,,,\r\n", "line 2, column Name: \"??\" is not UTF-8 text"},
      {header + "1,\xE2\x98\x85,6.03,AM,,,,,,,,\r\n",
       "line 2, column Name: \"\xE2\x98\x85\" holds a character that Windows-1252 cannot hold, so "
       "the receiver cannot show it"},
      {header + std::string(1001, '\n') + ",VOA,6.03,AM,,,,,,,,\r\n",
       "line 1002: more than 1000 blank lines; is this a channel list?"},
      {huge, "line 1002: more than 1000 channel rows; the receiver has 1000 channels"}};
  for (const auto& [text, first_problem] : cases) {
    const ChannelTable table = ParseChannelTable(text);
    ASSERT_FALSE(table.problems.empty()) << first_problem;
    EXPECT_EQ(FindingText(table.problems.front()), first_problem);
  }
  std::string names = columns;
  for (int i = 0; i < 10000; ++i) names += ",Name";
  EXPECT_FALSE(ParseChannelTable(header + garbage).problems.empty());
  const ChannelTable twice = ParseChannelTable(names + "\r\n");
  EXPECT_EQ(twice.problems.size(), 101u) << "header problems are capped as they are told";
  EXPECT_TRUE(RefusesWholeTable(twice.problems));
}

// The first row of `text` as the tool's own layout writes it, its channel number first ("-"
// for none), or the first problem.
std::string FirstRow(const std::string& text) {
  const ChannelTable table = ParseChannelTable(text);
  if (!table.problems.empty()) return FindingText(table.problems.front());
  if (table.rows.empty()) return "no row";
  const TableRow& row = table.rows.front();
  const std::vector<NumberedChannel> one{{row.location.value_or(1), row.channel}};
  std::string line = FormatChannelTable(one);
  line = line.substr(line.find('\n') + 1);
  line.resize(line.size() - 2);
  if (row.location) return line;
  std::string marked = "-";  // appended: GCC 12's optimiser warns falsely about + and replace
  marked.append(line, 3);
  return marked;
}

TEST(ChannelCsv, ReadsTheLayoutsAndSeparatorsOfOtherToolsAndDatabases) {
  const std::string common =
      "Location,Name,Frequency,Tone,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode\n";
  const std::string database = "Frequency Output,Alpha Tag,PL Tone,Mode,Description\n";
  const std::pair<std::string, std::string> cases[] = {
      // The common layout: Location as the grid shows it, names trimmed, tone modes.
      {common + "0, Rep ,146.94,TSQL-R,100.0,,,,,FMN", "000,Rep,146.94000,FM,REV TSQ,,100.0,,,,,5"},
      {common + "999,A,146.52,Cross,88.5,023,NR,155,Tone->DTCS,FM",
       "999,A,146.52000,FM,DCS,,,155,REV,,,5"},
      {common + "5,A,146.52,Cross,88.5,,,,->Tone,FM", "005,A,146.52000,FM,TSQ,88.5,,,,,,5"},
      {common + "5,A,146.52,Cross,88.5,,,,DTCS->,FM", "005,A,146.52000,FM,VFO,,,,,,,5"},
      {common + "5,A,146.52,DTCS,,23,RN,,,NFM", "005,A,146.52000,FM,DCS,,,023,NORMAL,,,5"},
      {common + "1000,A,146.52,,,,,,,FM",
       "line 2, column Location: 1000 is not a channel number from 0 to 999"},
      {common + "5,A,146.52,TSQL,88.5,,,,,DV",
       "line 2, column Mode: DV is not a mode the receiver has: FM, WFM or AM"},
      {common + "5,A,146.52,Cross,88.5,,,,Tone->DV,FM",
       "line 2, column CrossMode: Tone->DV receives with DV, which the receiver has not: Tone or "
       "DTCS"},
      // A frequency database's: no channel numbers; PL Tone as databases spell it.
      {database + "155.475,POL,136.5 PL,FMN,x", "-,POL,155.47500,FM,TSQ,136.5,,,,,,8.33"},
      {database + "154.28,FIRE,023 DPL,FM,", "-,FIRE,154.28000,FM,DCS,,,023,NORMAL,,,5"},
      {database + "154.28,FIRE,DPL 023,FM,", "-,FIRE,154.28000,FM,DCS,,,023,NORMAL,,,5"},
      {database + "154.28,FIRE,D023I,FM,", "-,FIRE,154.28000,FM,DCS,,,023,REV,,,5"},
      {database + "162.55, WX ,CSQ,FM,", "-,WX,162.55000,FM,VFO,,,,,,,8.33"},
      {database + "98.1,FM1,,FMW,", "-,FM1,98.10000,WFM,VFO,,,,,,,8.33"},
      {database + "460.1,P25,NAC 293,FM,",
       "line 2, column PL Tone: NAC 293 is the code of a digital system; the receiver receives "
       "analog FM, WFM and AM only"},
      {database + "460.1,P25,69.0 PL,FM,",
       "line 2, column PL Tone: 69.0 PL is not a CTCSS tone the receiver has"},
      // Separators from the header line; with semicolons, decimal commas.
      {"Location;Name;Frequency;Mode;Tone;cToneFreq\n3;A,B;145,5;FM;TSQL;88,5",
       "003,\"A,B\",145.50000,FM,TSQ,88.5,,,,,,8.33"},
      {"Location\tName\tFrequency\tMode\n4\tB\t146.5\tFM", "004,B,146.50000,FM,VFO,,,,,,,8.33"},
      // The tool's own: No. as the grid, Location as exported before it, names exactly.
      {"No.,Name,Frequency,Mode,ToneSelect\n999, A ,146.5,FM,VFO",
       "999,\" A \",146.50000,FM,VFO,,,,,,,8.33"},
      {"Location,Name,Frequency,Mode,ToneSelect\n1000,A,146.5,FM,VFO",
       "999,A,146.50000,FM,VFO,,,,,,,8.33"},
      {"Location,Name,Frequency,Mode,ToneSelect\n0,A,146.5,FM,VFO",
       "line 2, column Location: 0 is not a channel number from 1 to 1000"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(FirstRow(text), expected) << text;
}

TEST(ChannelImport, PlacesRowsAtTheirChannelOrFromOneAndTakesTheRestWhenAsked) {
  RadioConfig base;
  base.Channel(1) = base.Channel(900) = {1, "145000000", "OLD", kFm, 3, 0, 0, 0, 0, -1, 0, 0};
  // Row 3 names channel 001 again; row 5 has a mode the receiver has not.
  const std::string list =
      "Location,Frequency,Mode\n,145.5,FM\n1,146,FM\n1,146.5,FM\n,147,FM\n,14.2,USB\n";
  // The frequencies of channels 000 to 004 and 899, and the counts.
  const auto summary = [](const ChannelImport& result) {
    std::string texts;
    for (int n : {1, 2, 3, 4, 5, 900}) texts += result.record.Channel(n).Frequency + " ";
    return texts + (result.refused ? "refused" : "") + std::to_string(result.imported) + "/" +
           std::to_string(result.left_out) + "/" + std::to_string(result.overwritten.size());
  };
  RadioConfig full;
  for (int number = 1; number <= kChannelCount; ++number) full.Channel(number) = base.Channel(1);
  const std::tuple<const RadioConfig*, ImportOptions, std::string> rows[] = {
      {&base, {}, "145000000     145000000 refused0/2/0"},
      {&base, {.skip_bad = true}, "145000000 146000000 145500000 147000000  145000000 3/2/0"},
      {&base, {.replace = true, .skip_bad = true}, "145500000 146000000 147000000    3/2/0"},
      {&base,
       {.skip_bad = true, .at = 900},  // from channel 899 on, the first over OLD
       "145000000     145500000 4/1/1"},
      {&base, {.skip_bad = true, .at = 999}, "145000000     145000000 2/3/0"},  // past 999
      // No empty channel is left: only the row that names its channel goes in.
      {&full,
       {.skip_bad = true},
       "145000000 146000000 145000000 145000000 145000000 145000000 1/4/1"}};
  for (const auto& [from, options, expected] : rows) {
    const ChannelImport result = ImportChannels(list, *from, options);
    EXPECT_EQ(summary(result), expected);
    if (result.refused) {
      EXPECT_EQ(result.record, *from);
    }
  }
  const ChannelImport no_room =
      ImportChannels("Location,Frequency,Mode\n5,145.5,FM\n,146,FM\n", full);
  EXPECT_EQ(Notes(no_room.problems, "a.csv"),
            "a.csv, line 3: no empty channel is left for this row\n");
  EXPECT_TRUE(no_room.refused);
  EXPECT_EQ(no_room.record, full);
  // A fault of the whole text is refused with --skip-bad too.
  const ChannelImport cut =
      ImportChannels("Location,Frequency,Mode\n1,\"145", base, {.skip_bad = true});
  EXPECT_TRUE(cut.refused);
  EXPECT_EQ(cut.imported, 0);
}

TEST(ChannelImport, TheDefaultChannelsComeBackAsTheyWere) {
  RadioConfig fresh = NewConfiguration();
  const ChannelImport result =
      ImportChannels(FormatChannelTable(ProgrammedChannels(fresh)), fresh, {.replace = true});
  EXPECT_EQ(Notes(result.problems) + Notes(result.warnings), "");
  EXPECT_EQ(result.record, fresh);
}

}  // namespace
}  // namespace kestrel
