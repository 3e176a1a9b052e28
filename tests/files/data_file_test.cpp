#include "files/data_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "files/path_text.h"
#include "model/defaults.h"
#include "support/data_file_lines.h"
#include "support/platform.h"
#include "support/temp_files.h"

namespace kestrel {
namespace {

using namespace testing;

// Names keep their bytes, but a line break in one would shift every later line: it is a blank.
TEST(DataFile, WritesEveryFieldOnItsLineAndReadsItBack) {
  RadioConfig record = NewConfiguration();
  record.SetMode[3] = -1;
  record.Channel(5).RevDcs = -1;
  record.Channel(1).Name = "AB   ";
  record.Channel(2).Name = "\xE9t\xE9 \"q\",";
  record.Channel(3).Name = "X\rY\nZ\r\n";
  RadioConfig read_back = record;
  read_back.Channel(3).Name = "X Y Z  ";
  const std::string text = FormatDataFile(record);
  const std::vector<std::string> lines = SplitCrLf(text);
  ASSERT_EQ(lines.size(), 12118u);
  EXPECT_EQ(JoinCrLf(lines), text);                              // CR LF after the last line too
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12118);  // and no LF without its CR
  // SetMode[0, 1, 3, 22], channels 1, 5 and 801, search band 0, SqlLevel[0], ChargeTime,
  // FixCount[0], TrainFixTime, UnlockWait[2].
  // clang-format off
  const std::vector<std::pair<int, std::string>> golden{
      {1, "1.03"}, {2, " 0 "}, {3, " 2 "}, {5, "-1 "}, {24, " 40 "}, {ChannelLine(1, 0), " 0 "},
      {ChannelLine(1, 1), ""}, {ChannelLine(5, 9), "-1 "}, {ChannelLine(801, 0), " 1 "},
      {ChannelLine(801, 1), "6030000"}, {ChannelLine(801, 2), "VOA"}, {ChannelLine(801, 3), " 3 "},
      {12037, "0.10000"}, {12038, "1299.99500"}, {12085, " 9664 "}, {12105, " 23 "},
      {12107, " 1 "}, {12115, " 1000 "}, {12118, " 70 "}};
  // clang-format on
  for (const auto& [line, expected] : golden) EXPECT_EQ(lines[line - 1], expected) << line;

  TempFolder folder;
  ASSERT_TRUE(SaveDataFile(folder / "new.dat", record));
  EXPECT_EQ(ReadAll(folder / "new.dat"), text);
  const auto loaded = LoadDataFile(folder / "new.dat", RadioConfig{});
  ASSERT_TRUE(loaded) << loaded.error().ToString();
  EXPECT_EQ(*loaded, read_back);
}

TEST(DataFile, OlderVersionsKeepTheFieldsTheyLackFromTheBase) {
  RadioConfig written = NewConfiguration();
  written.Factory.UnlockWait = {21, 51, 71};
  const std::vector<std::string> lines = SplitCrLf(FormatDataFile(written));
  RadioConfig base = NewConfiguration();
  base.Factory.FixCount = {11, 12, 13, 14, 15, 16, 17, 18};
  base.Factory.TrainFixTime = 4321;
  struct Version {
    std::string line;
    int first_missing, missing;  // 0-based line index and count of the lines it lacks
    std::array<std::int32_t, 8> fix_count;
  };
  // 1.02 lacks FixCount[2..7] and TrainFixTime, older ones every FixCount too; a newer minor
  // version has the current layout.
  for (const Version& v : {Version{"1.02", 12108, 7, {1, 3, 13, 14, 15, 16, 17, 18}},
                           Version{"1.025", 12108, 7, {1, 3, 13, 14, 15, 16, 17, 18}},
                           Version{"1.01", 12106, 9, base.Factory.FixCount},
                           Version{"1.1", 0, 0, written.Factory.FixCount}}) {
    std::vector<std::string> old = lines;
    old[0] = v.line;
    old.erase(old.begin() + v.first_missing, old.begin() + v.first_missing + v.missing);
    const auto loaded = ParseDataFile(JoinCrLf(old), base);
    ASSERT_TRUE(loaded) << v.line << ": " << loaded.error().ToString();
    EXPECT_EQ(loaded->version, v.line);
    EXPECT_EQ(loaded->record.Factory.FixCount, v.fix_count) << v.line;
    EXPECT_EQ(loaded->record.Factory.TrainFixTime, v.missing ? 4321 : 1000) << v.line;
    EXPECT_EQ(loaded->record.Factory.UnlockWait, written.Factory.UnlockWait) << v.line;
  }
}

TEST(DataFile, ReadsOtherLineEndsAndAByteOrderMarkButRefusesFilesThatWouldReadShifted) {
  const RadioConfig record = NewConfiguration();
  const std::string text = FormatDataFile(record);
  std::string lf_only = text;
  std::erase(lf_only, '\r');
  for (const std::string& variant : {lf_only, text.substr(0, text.size() - 2),
                                     "\xEF\xBB\xBF" + text, text + "\r\n \r\n\t\r\n"}) {
    const auto loaded = ParseDataFile(variant, RadioConfig{});
    ASSERT_TRUE(loaded) << loaded.error().ToString();
    EXPECT_EQ(loaded->version, "1.03");
    EXPECT_EQ(loaded->record, record);
  }

  std::string cr_only = lf_only;
  std::ranges::replace(cr_only, '\n', '\r');
  const std::pair<std::string, std::string> refusals[]{
      {text + "lines after the last field\r\n",
       "line 12119: a version 1.03 file ends after line 12118, but 1 more line follows; the "
       "version line does not fit the rest of the file"},
      {WithLines(text, {{1, "1.01"}}),  // the current layout under an older version line
       "line 12110: a version 1.01 file ends after line 12109, but 9 more lines follow; the "
       "version line does not fit the rest of the file"},
      {WithLines(text, {{1, "Kestrel"}}),
       "line 1: not a data file: the first line should be a version such as 1.03, not "
       "\"Kestrel\""},
      {cr_only,
       "line 1: the line ends are not recognised: the lines end with CR alone, a data file's "
       "lines end with CR LF (or LF)"}};
  for (const auto& [variant, error] : refusals) {
    EXPECT_EQ(ParseDataFile(variant, RadioConfig{}).error().ToString(), error);
  }
}

// A line as the reader meets it, and what it makes of it: the line written back after a load,
// or the reason the load fails.
TEST(DataFile, IntegerLinesLoadWithinTheirRangeAndDamagedOnesFailWithTheirLine) {
  const std::string text = FormatDataFile(NewConfiguration());
  const RadioConfig base = NewConfiguration();
  for (const auto& [number, line, result] : std::vector<std::tuple<int, std::string, std::string>>{
           // clang-format off
           {2, "5", " 5 "}, {2, "+6", " 6 "}, {2, "\t-7\t ", "-7 "}, {2, "-32768", "-32768 "},
           {ChannelLine(1000, 11), "32767", " 32767 "}, {12085, "-2147483648", "-2147483648 "},
           {12118, "2147483647", " 2147483647 "},
           // clang-format on
           {2, "abc", "\"abc\" is not a whole number (Set Mode function 0 STEP)"},
           {2, "", "\"\" is not a whole number (Set Mode function 0 STEP)"},
           {2, "1.5", "\"1.5\" is not a whole number (Set Mode function 0 STEP)"},
           {2, "1 2", "\"1 2\" is not a whole number (Set Mode function 0 STEP)"},
           {2, "\x01" + std::string(45, '7'),
            "\"?" + std::string(39, '7') +
                "...\" is not a whole number (Set Mode function 0 STEP)"},
           {ChannelLine(1000, 11), " 32768 ",
            "32768 is out of range for channel 999 TRAIN (-32768 to 32767)"},
           {ChannelLine(3, 0), "-32769 ",
            "-32769 is out of range for channel 002 in-use mark (-32768 to 32767)"},
           {12085, " 2147483648 ",
            "2147483648 is out of range for Factory Settings SQL Setting FM Threshold (-2147483648 "
            "to 2147483647)"},
           {12118, " 99999999999999999999 ",
            "99999999999999999999 is out of range for Factory Settings PLL Unlock Wait Time SQL "
            "(-2147483648 to 2147483647)"},
       }) {
    const auto loaded = ParseDataFile(WithLines(text, {{number, line}}), base);
    const int at = loaded ? number : loaded.error().line;
    EXPECT_EQ(at, number) << line;
    EXPECT_EQ(loaded ? SplitCrLf(FormatDataFile(loaded->record))[static_cast<std::size_t>(at - 1)]
                     : loaded.error().message,
              result);
  }
  EXPECT_EQ(ParseDataFile("", base).error().ToString(), "line 1: the file is empty");
  EXPECT_EQ(ParseDataFile("1.03\r\n", base).error().ToString(),
            "line 2: the file ends early (Set Mode function 0 STEP expected)");

  TempFolder folder;  // cut off after channel 500's Mode line
  const std::vector<std::string> lines = SplitCrLf(text);
  WriteAll(folder / "cut.dat", JoinCrLf({lines.begin(), lines.begin() + ChannelLine(500, 4) - 1}));
  EXPECT_EQ(LoadDataFile(folder / "cut.dat", base).error().ToString(),
            (folder / "cut.dat").string() +
                ", line 6029: the file ends early (channel 499 step expected)");
  EXPECT_EQ(LoadDataFile(folder.path(), base).error().ToString(),
            folder.path().string() + ": cannot be read: it is a folder, not a data file");
}

// Names outside ASCII stay what they were, on the disk and in messages.
TEST(DataFile, NamesInAnyScriptAreKept) {
  TempFolder folder;
  const std::string name = "Frequenzen für Köln – 東京 ✓.dat";
  const std::filesystem::path path = folder.path() / PathFromUtf8(name);
  ASSERT_TRUE(SaveDataFile(path, NewConfiguration()));
  EXPECT_EQ(folder.Listing(), name);
  EXPECT_TRUE(LoadDataFile(path, NewConfiguration()));
  const std::filesystem::path missing = folder.path() / PathFromUtf8("ünknown.dat");
  EXPECT_EQ(LoadDataFile(missing, NewConfiguration()).error().ToString(),
            Utf8FromPath(missing) + ": cannot be read: No such file or directory");
}

TEST(DataFile, FailedSaveLeavesTheOldFileAsItWas) {
  KESTREL_SKIP_ON_WINDOWS("no file size limit to make the disk refuse a save half way");
  TempFolder folder;
  WriteAll(folder / "keep.dat", "old");
  std::expected<void, FileError> saved;
  WithSmallFileSizeLimit([&] { saved = SaveDataFile(folder / "keep.dat", NewConfiguration()); });
  EXPECT_EQ(saved.error().ToString(),
            (folder / "keep.dat").string() + ": cannot be written: File too large");
  EXPECT_EQ(ReadAll(folder / "keep.dat"), "old");
  EXPECT_EQ(folder.Listing(), "keep.dat");
}

}  // namespace
}  // namespace kestrel
