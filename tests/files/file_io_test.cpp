#include "files/file_io.h"

#include <gtest/gtest.h>

#include "support/temp_files.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using namespace testing;

TEST(FileIo, ReadFileBytesKeepsEveryByteAndRefusesHugeFiles) {
  TempFolder folder;
  EXPECT_TRUE(IsWritableFolder(folder.path()));
  EXPECT_EQ(folder.Listing(), "");  // the probe is gone
  const std::string bytes("a\0b\r\n\xff", 6);
  WriteAll(folder / "f", bytes);
  EXPECT_FALSE(IsWritableFolder(folder / "f"));
  EXPECT_EQ(ReadFileBytes(folder / "f", 6).value(), bytes);
  EXPECT_EQ(ReadFileBytes(folder / "f", 5).error(), "it is larger than 5 bytes");
  EXPECT_EQ(ReadFileBytes(folder / "none", 100).error(), "No such file or directory");
  EXPECT_EQ(ReadFileBytes(folder.path(), 100).error(), "Is a directory");
}

TEST(FileIo, AtomicWriteKeepsPermissionsAndFollowsLinks) {
  TempFolder folder;
  const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  WriteAll(folder / "real", "old");
  fs::permissions(folder / "real", perms);
  fs::create_symlink("real", folder / "link");
  ASSERT_TRUE(WriteFileAtomically(folder / "link", "new"));
  EXPECT_TRUE(fs::is_symlink(folder / "link"));
  EXPECT_EQ(ReadAll(folder / "real"), "new");
  EXPECT_EQ(fs::status(folder / "real").permissions(), perms);
  EXPECT_EQ(folder.Listing(), "link real");

  // The temporary file's name fits even beside the longest name a folder can hold.
  const std::string longest(255, 'n');
  ASSERT_TRUE(WriteFileAtomically(folder / longest, "long"));
  EXPECT_EQ(ReadAll(folder / longest), "long");
}

}  // namespace
}  // namespace kestrel
