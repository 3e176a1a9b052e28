#include "image/image_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_files.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;

std::string ErrorOf(const auto& result) {
  return result.has_value() ? "no error" : result.error();
}

class ImageFile : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }

  testing::TempFolder folder_;
};

TEST_F(ImageFile, SavesReplacesAndLoadsEveryByte) {
  MemoryImage image;
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a) image.SetByte(a, (a * 7) & 0xFF);
  for (int save = 1; save <= 2; ++save, image.Fill(0x11)) {  // the second replaces the first
    ASSERT_TRUE(SaveImageFile(Path("a.bin"), image).has_value()) << save;
    const auto loaded = LoadImageFile(Path("a.bin"));
    ASSERT_TRUE(loaded.has_value()) << loaded.error();
    EXPECT_EQ(*loaded, image) << save;
  }
  EXPECT_EQ(fs::file_size(Path("a.bin")), MemoryImage::kSize);
  EXPECT_FALSE(fs::exists(Path("a.bin.part")));
}

TEST_F(ImageFile, ErrorsNameTheFileAndTheReason) {
  testing::WriteAll(Path("empty.bin"), "");
  testing::WriteAll(Path("short.bin"), std::string(MemoryImage::kSize - 1, 'x'));
  testing::WriteAll(Path("long.bin"), std::string(MemoryImage::kSize + 1, 'x'));
  fs::create_directory(Path("dir.bin"));
  const std::pair<std::string, std::string> loads[] = {
      {"empty.bin", ": an image is exactly 20128 bytes, this file has 0"},
      {"short.bin", ": an image is exactly 20128 bytes, this file has 20127"},
      {"long.bin", ": an image is exactly 20128 bytes, this file has more than 20128"},
      {"missing.bin", ": cannot open: No such file or directory"},
      {"dir.bin", ": cannot read: Is a directory"}};
  for (const auto& [name, error] : loads) {
    EXPECT_EQ(ErrorOf(LoadImageFile(Path(name))), Path(name) + error);
  }
  EXPECT_EQ(ErrorOf(SaveImageFile(Path("no/c.bin"), MemoryImage{})),
            Path("no/c.bin") + ": cannot create: No such file or directory");
  // What stands in the way stays, and no half-written ".part" file is left beside it.
  const std::string in_the_way = ErrorOf(SaveImageFile(Path("dir.bin"), MemoryImage{}));
  EXPECT_EQ(in_the_way, Path("dir.bin") + ": cannot replace: Is a directory");
  EXPECT_TRUE(fs::is_directory(Path("dir.bin")));
  EXPECT_FALSE(fs::exists(Path("dir.bin.part")));
}

}  // namespace
}  // namespace kestrel
