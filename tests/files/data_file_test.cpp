#include "files/data_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "data_file_lines.h"
#include "model/defaults.h"
#include "temp_folder.h"

namespace kestrel {
namespace {

using testing::ChannelLine;
using testing::JoinCrLf;
using testing::ReadAll;
using testing::SplitCrLf;
using testing::TempFolder;
using testing::WriteAll;

// A record whose fields all differ from the defaults, so a field read into the wrong place shows.
RadioConfig BaseWithMarkers() {
  RadioConfig base = NewConfiguration();
  base.Factory.FixCount = {11, 12, 13, 14, 15, 16, 17, 18};
  base.Factory.TrainFixTime = 4321;
  base.Channel(1).Name = "BASE";
  return base;
}

TEST(DataFile, NewConfigurationRoundTripsByteForByte) {
  RadioConfig record = NewConfiguration();
  record.SetMode[3] = -1;
  record.Channel(5).RevDcs = -1;
  const std::string text = FormatDataFile(record);

  const std::vector<std::string> lines = SplitCrLf(text);
  ASSERT_EQ(lines.size(), 12118u);
  EXPECT_EQ(text.find('\n'), 5u);  // "1.03" CR LF, and every LF has its CR
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_EQ(text[i - 1], '\r') << i;
    }
  }
  EXPECT_EQ(lines[0], "1.03");
  EXPECT_EQ(lines[1], " 0 ");    // SetMode[0]
  EXPECT_EQ(lines[2], " 2 ");    // SetMode[1]
  EXPECT_EQ(lines[4], "-1 ");    // SetMode[3]
  EXPECT_EQ(lines[23], " 40 ");  // SetMode[22], the train tone
  EXPECT_EQ(lines[ChannelLine(1, 0) - 1], " 0 ");
  EXPECT_EQ(lines[ChannelLine(1, 1) - 1], "");
  EXPECT_EQ(lines[ChannelLine(5, 9) - 1], "-1 ");
  EXPECT_EQ(lines[ChannelLine(801, 0) - 1], " 1 ");
  EXPECT_EQ(lines[ChannelLine(801, 1) - 1], "6030000");
  EXPECT_EQ(lines[ChannelLine(801, 2) - 1], "VOA");
  EXPECT_EQ(lines[ChannelLine(801, 3) - 1], " 3 ");
  EXPECT_EQ(lines[12036], "0.10000");
  EXPECT_EQ(lines[12037], "1299.99500");
  EXPECT_EQ(lines[12084], " 9664 ");  // SqlLevel[0]
  EXPECT_EQ(lines[12104], " 23 ");    // ChargeTime
  EXPECT_EQ(lines[12106], " 1 ");     // FixCount[0]
  EXPECT_EQ(lines[12114], " 1000 ");  // TrainFixTime
  EXPECT_EQ(lines[12117], " 70 ");    // UnlockWait SQL

  const auto loaded = ParseDataFile(text, RadioConfig{});
  ASSERT_TRUE(loaded.has_value()) << loaded.error().ToString();
  EXPECT_EQ(loaded->version, "1.03");
  EXPECT_EQ(loaded->record, record);
  EXPECT_EQ(FormatDataFile(loaded->record), text);

  TempFolder folder;
  ASSERT_TRUE(SaveDataFile(folder / "new.dat", record).has_value());
  EXPECT_EQ(ReadAll(folder / "new.dat"), text);
  const auto from_disk = LoadDataFile(folder / "new.dat", RadioConfig{});
  ASSERT_TRUE(from_disk.has_value()) << from_disk.error().ToString();
  EXPECT_EQ(*from_disk, record);
}

TEST(DataFile, OlderVersionsKeepTheFieldsTheyLackFromTheBase) {
  RadioConfig written = NewConfiguration();
  written.Factory.UnlockWait = {21, 51, 71};
  std::vector<std::string> lines = SplitCrLf(FormatDataFile(written));
  const RadioConfig base = BaseWithMarkers();

  // 1.02: FixCount[0] and [1] only; lines 12109 to 12115 (FixCount[2..7], TrainFixTime) absent.
  std::vector<std::string> v102 = lines;
  v102[0] = "1.02";
  v102.erase(v102.begin() + 12108, v102.begin() + 12115);
  auto loaded = ParseDataFile(JoinCrLf(v102), base);
  ASSERT_TRUE(loaded.has_value()) << loaded.error().ToString();
  std::array<std::int32_t, 8> fix{1, 3, 13, 14, 15, 16, 17, 18};
  EXPECT_EQ(loaded->record.Factory.FixCount, fix);
  EXPECT_EQ(loaded->record.Factory.TrainFixTime, 4321);
  EXPECT_EQ(loaded->record.Factory.UnlockWait, written.Factory.UnlockWait);
  EXPECT_EQ(loaded->record.Channel(1).Name, "");  // everything else comes from the file

  // Below 1.02: no fix counts and no fix time at all; "1.025" still reads as 1.02.
  std::vector<std::string> v101 = lines;
  v101[0] = "1.01";
  v101.erase(v101.begin() + 12106, v101.begin() + 12115);
  loaded = ParseDataFile(JoinCrLf(v101), base);
  ASSERT_TRUE(loaded.has_value()) << loaded.error().ToString();
  EXPECT_EQ(loaded->record.Factory.FixCount, base.Factory.FixCount);
  EXPECT_EQ(loaded->record.Factory.TrainFixTime, 4321);
  EXPECT_EQ(loaded->record.Factory.UnlockWait, written.Factory.UnlockWait);
  EXPECT_EQ(loaded->version, "1.01");

  v102[0] = "1.025";
  EXPECT_TRUE(ParseDataFile(JoinCrLf(v102), base).has_value());
  // A newer minor version has the current layout.
  lines[0] = "1.1";
  EXPECT_TRUE(ParseDataFile(JoinCrLf(lines), base).has_value());
  // The writer always writes the current layout.
  EXPECT_EQ(SplitCrLf(FormatDataFile(loaded->record)).size(), 12118u);
}

TEST(DataFile, NamesAreKeptAsBytesAndLinesNeverShift) {
  RadioConfig record = NewConfiguration();
  record.Channel(1) = {1, "145000000", "AB   ", 1, 0, 0, 0, 0, 0, 0, 0, 0};
  record.Channel(2) = {1, "145012500", "A,B", 1, 0, 0, 0, 0, 0, 0, 0, 0};
  record.Channel(3) = {1, "145025000", "\xE9t\xE9 \"q\"", 1, 0, 0, 0, 0, 0, 0, 0, 0};
  record.Channel(4) = {1, "145037500", "X\rY\nZ\r\n", 1, 0, 0, 0, 0, 0, 0, 0, 0};
  record.Band(0).LowFrequency = "";
  const std::string text = FormatDataFile(record);
  EXPECT_EQ(SplitCrLf(text).size(), 12118u);

  const auto loaded = ParseDataFile(text, RadioConfig{});
  ASSERT_TRUE(loaded.has_value()) << loaded.error().ToString();
  EXPECT_EQ(loaded->record.Channel(1).Name, "AB   ");
  EXPECT_EQ(loaded->record.Channel(2).Name, "A,B");
  EXPECT_EQ(loaded->record.Channel(3).Name, "\xE9t\xE9 \"q\"");
  EXPECT_EQ(loaded->record.Channel(4).Name, "X Y Z  ");  // CR and LF became blanks
  EXPECT_EQ(loaded->record.Channel(4).Mode, 1);          // and the next field is in place
  EXPECT_EQ(loaded->record.Band(0).LowFrequency, "");
  EXPECT_EQ(loaded->record.Factory, record.Factory);
}

TEST(DataFile, LineEndsOnReading) {
  const RadioConfig record = NewConfiguration();
  const std::string text = FormatDataFile(record);
  std::string lf_only;
  for (char c : text) {
    if (c != '\r') lf_only.push_back(c);
  }
  auto loaded = ParseDataFile(lf_only, RadioConfig{});
  ASSERT_TRUE(loaded.has_value()) << loaded.error().ToString();
  EXPECT_EQ(loaded->record, record);

  // The last line may lack its line end; lines after the last field are ignored.
  loaded = ParseDataFile(text.substr(0, text.size() - 2), RadioConfig{});
  ASSERT_TRUE(loaded.has_value()) << loaded.error().ToString();
  EXPECT_EQ(loaded->record, record);
  EXPECT_TRUE(ParseDataFile(text + "trailing\r\n", RadioConfig{}).has_value());

  // Integer lines may be written without the blanks, with a plus sign, or padded with tabs.
  std::vector<std::string> lines = SplitCrLf(text);
  lines[1] = "5";
  lines[2] = "+6";
  lines[3] = "\t7\t ";
  loaded = ParseDataFile(JoinCrLf(lines), RadioConfig{});
  ASSERT_TRUE(loaded.has_value()) << loaded.error().ToString();
  EXPECT_EQ(loaded->record.SetMode[0], 5);
  EXPECT_EQ(loaded->record.SetMode[1], 6);
  EXPECT_EQ(loaded->record.SetMode[2], 7);
}

TEST(DataFile, DamagedFilesFailWithTheirLineAndLeaveTheBaseAlone) {
  const std::string text = FormatDataFile(NewConfiguration());
  const std::vector<std::string> lines = SplitCrLf(text);
  const RadioConfig base = BaseWithMarkers();
  const RadioConfig base_copy = base;

  // Cut off in the middle of channel 500's group, after its Mode line.
  TempFolder folder;
  const std::vector<std::string> cut(lines.begin(), lines.begin() + ChannelLine(500, 4) - 1);
  WriteAll(folder / "config.dat", JoinCrLf(cut));
  auto loaded = LoadDataFile(folder / "config.dat", base);
  ASSERT_FALSE(loaded.has_value());
  EXPECT_EQ(loaded.error().line, ChannelLine(500, 4));
  EXPECT_EQ(loaded.error().ToString(), (folder / "config.dat").string() +
                                           ", line 6029: the file ends early (channel 500 "
                                           "Step expected)");
  EXPECT_EQ(base, base_copy);

  struct Damage {
    int line;
    std::string text;
    std::string message;
  };
  const std::vector<Damage> damages{
      {2, "abc", "\"abc\" is not a whole number (SetMode[0])"},
      {2, "", "\"\" is not a whole number (SetMode[0])"},
      {2, "1.5", "\"1.5\" is not a whole number (SetMode[0])"},
      {2, "1 2", "\"1 2\" is not a whole number (SetMode[0])"},
      {ChannelLine(1000, 11), " 32768 ",
       "32768 is out of range for channel 1000 TrainTone (-32768 to 32767)"},
      {ChannelLine(3, 0), "-32769 ",
       "-32769 is out of range for channel 3 InUse (-32768 to 32767)"},
      {12085, " 2147483648 ",
       "2147483648 is out of range for SqlLevel[0] (-2147483648 to 2147483647)"},
      {12118, " 99999999999999999999 ",
       "99999999999999999999 is out of range for UnlockWait[2] (-2147483648 to 2147483647)"},
  };
  for (const Damage& damage : damages) {
    std::vector<std::string> damaged = lines;
    damaged[static_cast<std::size_t>(damage.line - 1)] = damage.text;
    const auto result = ParseDataFile(JoinCrLf(damaged), base);
    ASSERT_FALSE(result.has_value()) << damage.line;
    EXPECT_EQ(result.error().line, damage.line);
    EXPECT_EQ(result.error().message, damage.message);
    EXPECT_EQ(result.error().file, "");
  }

  // The edges of each range load.
  std::vector<std::string> edges = lines;
  edges[1] = "-32768 ";
  edges[2] = " 32767 ";
  edges[12084] = "-2147483648 ";
  edges[12085] = " 2147483647 ";
  const auto at_edges = ParseDataFile(JoinCrLf(edges), base);
  ASSERT_TRUE(at_edges.has_value()) << at_edges.error().ToString();
  EXPECT_EQ(at_edges->record.SetMode[0], -32768);
  EXPECT_EQ(at_edges->record.Factory.SqlLevel[1], 2147483647);

  EXPECT_EQ(ParseDataFile("", base).error().ToString(), "line 1: the file is empty");
  EXPECT_EQ(ParseDataFile("1.03\r\n", base).error().line, 2);

  loaded = LoadDataFile(folder / "missing.dat", base);
  ASSERT_FALSE(loaded.has_value());
  EXPECT_EQ(loaded.error().line, 0);
  EXPECT_EQ(loaded.error().ToString(),
            (folder / "missing.dat").string() + ": cannot be read: No such file or directory");
  EXPECT_FALSE(LoadDataFile(folder.path(), base).has_value());  // a folder is no data file
}

TEST(DataFile, FailedSaveLeavesTheOldFileAsItWas) {
  TempFolder folder;
  const RadioConfig record = NewConfiguration();
  const std::string old_content = "1.03\r\nold\r\n";
  WriteAll(folder / "keep.dat", old_content);

  // No such folder.
  auto saved = SaveDataFile(folder / "none" / "x.dat", record);
  ASSERT_FALSE(saved.has_value());
  EXPECT_EQ(saved.error().ToString(), (folder / "none" / "x.dat").string() +
                                          ": cannot be written: No such file or directory");

  // The target is a folder: the rename fails and the temporary file goes again.
  std::filesystem::create_directory(folder / "taken.dat");
  WriteAll(folder / "taken.dat" / "inside", "x");
  EXPECT_FALSE(SaveDataFile(folder / "taken.dat", record).has_value());
  EXPECT_EQ(folder.Listing(), "keep.dat taken.dat");

  // The disk refuses the data half way (a file size limit works even for root).
  struct rlimit old_limit {};
  getrlimit(RLIMIT_FSIZE, &old_limit);
  struct rlimit small = old_limit;
  small.rlim_cur = 4096;
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  saved = SaveDataFile(folder / "keep.dat", record);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  ASSERT_FALSE(saved.has_value());
  EXPECT_NE(saved.error().message.find("cannot be written: "), std::string::npos);
  EXPECT_EQ(ReadAll(folder / "keep.dat"), old_content);
  EXPECT_EQ(folder.Listing(), "keep.dat taken.dat");

  // A folder the user may not write into (root may write anywhere).
  if (!testing::IgnoresPermissions()) {
    std::filesystem::permissions(
        folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    saved = SaveDataFile(folder / "keep.dat", record);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    ASSERT_FALSE(saved.has_value());
    EXPECT_EQ(saved.error().message, "cannot be written: Permission denied");
    EXPECT_EQ(ReadAll(folder / "keep.dat"), old_content);
  }

  // And a save that works replaces the file completely.
  ASSERT_TRUE(SaveDataFile(folder / "keep.dat", record).has_value());
  EXPECT_EQ(ReadAll(folder / "keep.dat"), FormatDataFile(record));
  EXPECT_EQ(folder.Listing(), "keep.dat taken.dat");
}

}  // namespace
}  // namespace kestrel
