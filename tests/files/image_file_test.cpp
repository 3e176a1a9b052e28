#include "files/image_file.h"

#include <gtest/gtest.h>

#include "support/temp_files.h"

namespace kestrel {
namespace {

using namespace testing;

std::string ErrorOf(const auto& result) {
  return result.has_value() ? "no error" : result.error();
}

MemoryImage Patterned() {
  MemoryImage image;
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a) image.SetByte(a, (a * 7) & 0xFF);
  return image;
}

TEST(ImageFile, SavesReplacesAndLoadsEveryByte) {
  TempFolder folder;
  MemoryImage image = Patterned();
  for (int save = 1; save <= 2; ++save, image.Fill(0x11)) {  // the second replaces the first
    ASSERT_TRUE(SaveImageFile(folder / "a.bin", image).has_value()) << save;
    const auto loaded = LoadImageFile(folder / "a.bin");
    ASSERT_TRUE(loaded.has_value()) << loaded.error();
    EXPECT_EQ(*loaded, image) << save;
  }
  EXPECT_EQ(folder.Listing(), "a.bin");
}

// What is known of a receiver comes back bit for bit, and a reader of images takes the image.
TEST(ImageFile, KeepsWhatIsKnownBesideTheImage) {
  TempFolder folder;
  const MemoryImage image = Patterned();
  KnownImage known;
  known.Learn(image, 0, 1);
  known.Learn(image, 0x4E90, 16);  // the last line
  known.SetSlotEmpty(1, true);
  known.SetSlotEmpty(1000, true);
  WriteAll(folder / "k.bin", KnownImageFileBytes(known));
  const auto contents = LoadImageFileContents(folder / "k.bin");
  ASSERT_TRUE(contents.has_value()) << contents.error();
  EXPECT_EQ(contents->known, known);
  EXPECT_EQ(contents->image, known.bytes());
  EXPECT_EQ(contents->image.Byte(1), 0xFF);  // unknown
  EXPECT_EQ(LoadImageFile(folder / "k.bin"), known.bytes());
  std::string damaged = KnownImageFileBytes(known);
  damaged[MemoryImage::kSize] = 'k';
  WriteAll(folder / "damaged.bin", damaged);
  EXPECT_EQ(
      ErrorOf(LoadImageFile(folder / "damaged.bin")),
      (folder / "damaged.bin").string() + ": an image is exactly 20128 bytes, this file has 22785");
}

TEST(ImageFile, ErrorsNameTheFileAndTheReason) {
  TempFolder folder;
  for (const std::size_t size : {std::size_t{0}, MemoryImage::kSize - 1, MemoryImage::kSize + 1}) {
    const auto path = folder / (std::to_string(size) + ".bin");
    WriteAll(path, std::string(size, 'x'));
    EXPECT_EQ(
        ErrorOf(LoadImageFile(path)),
        path.string() + ": an image is exactly 20128 bytes, this file has " + std::to_string(size));
  }
  EXPECT_EQ(ErrorOf(SaveImageFile(folder / "no" / "c.bin", MemoryImage{})),
            (folder / "no" / "c.bin").string() + ": cannot be written: No such file or directory");
}

}  // namespace
}  // namespace kestrel
