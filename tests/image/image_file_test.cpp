#include "image/image_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

class ImageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kestrel-image-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(ImageFile, SavesAndLoadsEveryByte) {
  MemoryImage image;
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
    image.SetByte(a, static_cast<std::uint8_t>(a * 7));
  }
  ASSERT_TRUE(SaveImageFile(Path("a.bin"), image).has_value());
  EXPECT_EQ(fs::file_size(Path("a.bin")), MemoryImage::kSize);
  const auto loaded = LoadImageFile(Path("a.bin"));
  ASSERT_TRUE(loaded.has_value()) << loaded.error();
  EXPECT_EQ(*loaded, image);

  image.Fill(0x11);  // replacing an existing image leaves nothing else behind
  ASSERT_TRUE(SaveImageFile(Path("a.bin"), image).has_value());
  EXPECT_EQ(LoadImageFile(Path("a.bin")).value_or(MemoryImage{}), image);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);
}

TEST_F(ImageFile, RefusesWrongSizesAndMissingFiles) {
  for (const std::size_t size : {std::size_t{0}, MemoryImage::kSize - 1, MemoryImage::kSize + 1}) {
    std::ofstream(Path("b.bin"), std::ios::binary) << std::string(size, '\xFF');
    const auto loaded = LoadImageFile(Path("b.bin"));
    ASSERT_FALSE(loaded.has_value()) << size;
    EXPECT_NE(loaded.error().find("exactly 20128 bytes"), std::string::npos) << loaded.error();
    EXPECT_NE(loaded.error().find("b.bin"), std::string::npos);
  }
  EXPECT_NE(LoadImageFile(Path("b.bin")).error().find("has more than 20128"), std::string::npos);

  const auto missing = LoadImageFile(Path("missing.bin"));
  ASSERT_FALSE(missing.has_value());
  EXPECT_NE(missing.error().find("missing.bin: cannot open"), std::string::npos);
  EXPECT_FALSE(SaveImageFile(Path("no/such/dir/c.bin"), MemoryImage{}).has_value());
}

}  // namespace
}  // namespace kestrel
