#include "files/file_io.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

TEST(FileIo, ReadFileBytesKeepsEveryByteAndRefusesHugeFiles) {
  TempFolder folder;
  const std::string bytes("a\0b\r\n\xff", 6);
  WriteAll(folder / "f", bytes);
  EXPECT_EQ(ReadFileBytes(folder / "f", 6).value(), bytes);
  EXPECT_EQ(ReadFileBytes(folder / "f", 5).error(), "it is larger than 5 bytes");
  EXPECT_EQ(ReadFileBytes(folder / "none", 100).error(), "No such file or directory");
  EXPECT_EQ(ReadFileBytes(folder.path(), 100).error(), "Is a directory");
}

TEST(FileIo, AtomicWriteKeepsPermissionsAndFollowsLinks) {
  TempFolder folder;
  WriteAll(folder / "real", "old");
  fs::permissions(folder / "real",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("real", folder / "link");

  ASSERT_TRUE(WriteFileAtomically(folder / "link", "new").has_value());
  EXPECT_TRUE(fs::is_symlink(folder / "link"));
  EXPECT_EQ(ReadAll(folder / "real"), "new");
  EXPECT_EQ(fs::status(folder / "real").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(folder.Listing(), "link real");

  // The temporary file's name fits even beside the longest name a folder can hold.
  const std::string longest(255, 'n');
  ASSERT_TRUE(WriteFileAtomically(folder / longest, "long").has_value());
  EXPECT_EQ(ReadAll(folder / longest), "long");
  fs::remove(folder / longest);

  // A bare file name goes to the working folder.
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path());
  const auto written = WriteFileAtomically("bare", "x");
  fs::current_path(previous);
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(ReadAll(folder / "bare"), "x");
}

TEST(FileIo, IsWritableFolder) {
  TempFolder folder;
  EXPECT_TRUE(IsWritableFolder(folder.path()));
  EXPECT_EQ(folder.Listing(), "");  // the probe is gone
  EXPECT_FALSE(IsWritableFolder(folder / "missing"));
  WriteAll(folder / "file", "");
  EXPECT_FALSE(IsWritableFolder(folder / "file"));
  if (!testing::IgnoresPermissions()) {
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(IsWritableFolder(folder.path()));
  }
}

}  // namespace
}  // namespace kestrel
