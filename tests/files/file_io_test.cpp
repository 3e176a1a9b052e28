#include "files/file_io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/temp_files.h"

namespace kestrel {
namespace {

using namespace testing;

TEST(FileIo, ReadsOnlyRegularFilesWholeAndRefusesHugeOnes) {
  TempFolder folder;
  EXPECT_TRUE(IsWritableFolder(folder.path()));
  EXPECT_EQ(folder.Listing(), "");  // the probe is gone
  const std::string bytes("a\0b\r\n\xff", 6);
  WriteAll(folder / "f", bytes);
  EXPECT_FALSE(IsWritableFolder(folder / "f"));
  EXPECT_EQ(ReadFileBytes(folder / "f", 6, "a data file").value(), bytes);
  // A FIFO without a writer would never end; a device may not either.
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
  const std::pair<std::filesystem::path, std::string> refusals[]{
      {folder / "f", "it is larger than 5 bytes"},
      {folder / "none", "No such file or directory"},
      {folder.path(), "it is a folder, not a data file"},
      {folder / "fifo", "it is a FIFO, not a data file"},
      {"/dev/zero", "it is a character device, not a data file"}};
  for (const auto& [path, reason] : refusals) {
    EXPECT_EQ(ReadFileBytes(path, 5, "a data file").error(), reason) << path;
  }
}

}  // namespace
}  // namespace kestrel
