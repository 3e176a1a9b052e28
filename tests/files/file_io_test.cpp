#include "files/file_io.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "support/platform.h"
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
  const std::pair<std::filesystem::path, std::string> refusals[]{
      {folder / "f", "it is larger than 5 bytes"},
      {folder / "none", "No such file or directory"},
      {folder.path(), "it is a folder, not a data file"}};
  for (const auto& [path, reason] : refusals) {
    EXPECT_EQ(ReadFileBytes(path, 5, "a data file").error(), reason) << path;
  }
}

// A FIFO without a writer would never end; a device may not either.
TEST(FileIo, RefusesFifosAndDevices) {
  KESTREL_SKIP_ON_WINDOWS("no FIFOs among files, no /dev/zero");
#ifndef _WIN32
  TempFolder folder;
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(ReadFileBytes(folder / "fifo", 5, "a data file").error(),
            "it is a FIFO, not a data file");
  EXPECT_EQ(ReadFileBytes("/dev/zero", 5, "a data file").error(),
            "it is a character device, not a data file");
#endif
}

}  // namespace
}  // namespace kestrel
