#include "files/receiver_backups.h"

#include <gtest/gtest.h>

#include "files/data_file.h"
#include "files/image_file.h"
#include "files/path_text.h"
#include "image/image_map.h"
#include "model/defaults.h"
#include "support/temp_files.h"

namespace kestrel {
namespace {

using namespace testing;
using namespace std::chrono;

// 2026-12-08 14:02:12.345 UTC and `later` seconds after.
system_clock::time_point At(int later = 0) {
  return sys_days(2026y / 12 / 8) + 14h + 2min + 12s + 345ms + seconds(later);
}

RadioConfig WithChannels(int count) {
  RadioConfig record = NewConfiguration();
  for (int c = 1; c <= 1000; ++c) record.Channel(c).InUse = c <= count ? 1 : 0;
  return record;
}

TEST(ReceiverBackups, NamesByTimeAndAPortAFileNameCanHold) {
  const std::pair<std::string, std::string> rows[] = {
      {"/dev/ttyUSB0", "ttyUSB0"},
      {"sim", "sim"},
      {"COM3", "COM3"},
      {"3", "COM3"},
      {"sim2", "sim2"},
      {"/dev/pts/3", "pts_3"},
      {"\\\\.\\COM10", "COM10"},
      {"", "port"},
      {"a b:c*", "a_b_c_"},
      {"12", "12"},
      {"../..", ".._.."},
  };
  for (const auto& [port, name] : rows) {
    EXPECT_EQ(BackupStem(At(), port), "read-20261208T140212.345Z-" + name) << port;
  }
}

TEST(ReceiverBackups, KeepsTheConfigurationAndWhatTheReadKnowsAndListsThemNewestFirst) {
  TempFolder folder;
  KnownImage known;
  MemoryImage read;
  read.Fill(0x42);
  known.Learn(read, 0x100, 16);
  known.SetSlotEmpty(7, true);
  // Kept out of time order; one loses its image, one its configuration, one is damaged.
  const std::tuple<int, std::string, int> reads[] = {
      {60, "/dev/ttyUSB0", 3}, {0, "sim", 89}, {120, "COM3", 0}, {-60, "1", 5}, {30, "sim2", 1}};
  for (const auto& [later, port, channels] : reads) {
    const auto kept =
        KeepBackup(folder / "backups", WithChannels(channels), known, port, At(later));
    ASSERT_TRUE(kept.has_value()) << kept.error();
    EXPECT_EQ(kept->channels_in_use, channels);
  }
  const auto backups = folder / "backups";
  const auto contents = LoadImageFileContents(backups / "read-20261208T140312.345Z-ttyUSB0.bin");
  ASSERT_TRUE(contents.has_value()) << contents.error();
  EXPECT_EQ(contents->known, known);
  EXPECT_EQ(LoadDataFile(backups / "read-20261208T140312.345Z-ttyUSB0.dat", NewConfiguration()),
            WithChannels(3));
  std::filesystem::remove(backups / "read-20261208T140212.345Z-sim.bin");
  std::filesystem::remove(backups / "read-20261208T140112.345Z-COM1.dat");
  WriteAll(backups / "read-20261208T140242.345Z-sim2.dat", "damaged");

  // Port, channels in use (-1: unknown), whether the image is there.
  std::vector<std::string> listed;
  for (const ReceiverBackup& backup : ListBackups(backups)) {
    EXPECT_EQ(backup.configuration.parent_path(), backups);
    listed.push_back(backup.port + " " + std::to_string(backup.channels_in_use.value_or(-1)) +
                     (backup.image.empty() ? "" : " bin"));
  }
  EXPECT_EQ(listed,
            (std::vector<std::string>{"COM3 0 bin", "ttyUSB0 3 bin", "sim2 -1 bin", "sim 89"}));
  EXPECT_EQ(ListBackups(backups)[0].when, At(120));
  EXPECT_TRUE(ListBackups(folder / "none").empty());
}

// The newest 100 stay, also when the clock was set back before the latest read; files of other
// names, folders and unfinished saves are never touched.
TEST(ReceiverBackups, KeepsTheNewestHundredAndTouchesNothingElse) {
  const std::vector<std::string> others = {"notes.txt", "read-20261208T140212.345Z-x.dat.tmp-ab12",
                                           "read-garbage.dat", "read-20261308T000000.000Z-sim.dat",
                                           "read-20000101T000000.000Z-dir.dat"};
  const std::tuple<int, int, std::string, std::string> rows[] = {
      // earlier backups, seconds of the next, how many stay, the oldest listed
      {99, 1000, "100", "read-20261208T140212.345Z-sim.dat"},
      {100, 1000, "100", "read-20261208T140213.345Z-sim.dat"},
      {100, -5, "100", "read-20261208T140207.345Z-sim.dat"},
  };
  for (const auto& [earlier, next, stay, oldest] : rows) {
    TempFolder folder;
    for (const std::string& name : others) WriteAll(folder / name, "x");
    std::filesystem::remove(folder / others.back());
    std::filesystem::create_directory(folder / others.back());
    // Their channels in use come from the bitmap the read knew, not from the configuration.
    MemoryImage read;
    read.SetByte(image_map::kChannelBitmap, 0x01);
    KnownImage known;
    known.Learn(read, image_map::kChannelBitmap, image_map::kChannelBitmapSize);
    for (int i = 0; i < earlier; ++i) {
      WriteAll(folder / BackupStem(At(i), "sim").append(".dat"), "not read");
      WriteAll(folder / BackupStem(At(i), "sim").append(".bin"), KnownImageFileBytes(known));
    }
    ASSERT_TRUE(KeepBackup(folder.path(), WithChannels(1), {}, "sim", At(next)).has_value());
    const auto backups = ListBackups(folder.path());
    EXPECT_EQ(std::to_string(backups.size()), stay) << earlier << " " << next;
    EXPECT_EQ(backups.back().configuration.filename(), oldest) << earlier << " " << next;
    EXPECT_TRUE(std::filesystem::exists(folder / BackupStem(At(next), "sim").append(".bin")));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
      ++files;
    }
    EXPECT_EQ(files, 2 * backups.size() + others.size());
    for (const ReceiverBackup& backup : backups) EXPECT_EQ(backup.channels_in_use, 1);
    for (const std::string& name : others) EXPECT_TRUE(std::filesystem::exists(folder / name));
  }
}

TEST(ReceiverBackups, AFolderThatCannotBeWrittenIsAReasonNotAFailedRead) {
  TempFolder folder;
  WriteAll(folder / "file", "x");
  for (const std::filesystem::path& where : {folder / "file" / "backups", folder / "file"}) {
    const auto kept = KeepBackup(where, NewConfiguration(), {}, "sim", At());
    ASSERT_FALSE(kept.has_value()) << where;
    EXPECT_TRUE(kept.error().starts_with(Utf8FromPath(where) + ": cannot be created: "))
        << kept.error();
  }
  EXPECT_EQ(folder.Listing(), "file");
}

}  // namespace
}  // namespace kestrel
