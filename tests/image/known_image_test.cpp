#include "image/known_image.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

// A range is held only when every byte of it is known and equal, the first and last included.
TEST(KnownImage, HoldsARangeOnlyWhenEveryByteIsKnownAndEqual) {
  MemoryImage image;
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a) image.SetByte(a, a & 0xFF);
  KnownImage known;
  EXPECT_FALSE(known.Holds(image, 0, 1));
  EXPECT_EQ(known.bytes().Byte(0), 0xFF);  // unknown bytes read as a read leaves them
  known.Learn(image, 0x10, 16);
  known.Learn(image, MemoryImage::kSize - 16, 16);
  const std::tuple<std::size_t, std::size_t, bool> rows[] = {{0x10, 16, true},
                                                             {0x0F, 16, false},
                                                             {0xFF, 1, false},  // 0xFF, unknown
                                                             {0x11, 15, true},
                                                             {0x10, 17, false},
                                                             {MemoryImage::kSize - 16, 16, true},
                                                             {MemoryImage::kSize - 17, 17, false}};
  for (const auto& [first, count, held] : rows) {
    EXPECT_EQ(known.Holds(image, first, count), held) << first << "+" << count;
  }
  MemoryImage other = image;
  other.SetByte(0x1F, 0);
  EXPECT_FALSE(known.Holds(other, 0x10, 16));  // known, but not this value
  known.Forget(0x1F, 1);
  EXPECT_FALSE(known.Known(0x1F));
  EXPECT_FALSE(known.Holds(image, 0x10, 16));
  EXPECT_TRUE(known.Holds(image, 0x10, 15));
  EXPECT_EQ(known.bytes().Byte(0x1F), 0xFF);

  known.SetSlotEmpty(1, true);
  known.SetSlotEmpty(1000, true);
  EXPECT_TRUE(known.SlotEmpty(1) && known.SlotEmpty(1000) && !known.SlotEmpty(2));
}

}  // namespace
}  // namespace kestrel
