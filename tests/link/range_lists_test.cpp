#include "link/range_lists.h"

#include <gtest/gtest.h>

#include "link/link_result.h"

namespace kestrel::link {
namespace {

std::vector<RangeCommand> Singles(std::uint16_t from, std::uint16_t to) {
  std::vector<RangeCommand> out;
  for (int a = from; a <= to; ++a) out.push_back({static_cast<std::uint16_t>(a), false});
  return out;
}

TEST(SplitRange, BlocksWhereAlignedLinesFitAndSingleBytesAtTheEnds) {
  // Ten bytes to the end of the line, then eight more: no block.
  EXPECT_EQ(SplitRange({0x0046, 0x0057}), Singles(0x0046, 0x0057));

  auto bands = SplitRange({0x0340, 0x0400});
  ASSERT_EQ(bands.size(), 13u);
  for (int k = 0; k < 12; ++k)
    EXPECT_EQ(bands[k], (RangeCommand{std::uint16_t(0x0340 + 16 * k), true}));
  EXPECT_EQ(bands[12], (RangeCommand{0x0400, false}));

  EXPECT_EQ(SplitRange({0x0400, 0x0400}), Singles(0x0400, 0x0400));
  EXPECT_EQ(SplitRange({0x0300, 0x030E}), Singles(0x0300, 0x030E));  // 15 aligned bytes
  EXPECT_EQ(SplitRange({0x0300, 0x030F}), (std::vector<RangeCommand>{{0x0300, true}}));

  // The bitmap: 7 blocks and 13 single bytes; a range starting mid-line.
  auto bitmap = SplitRange({0x0860, 0x08DC});
  EXPECT_EQ(bitmap.size(), 20u);
  EXPECT_EQ(std::count_if(bitmap.begin(), bitmap.end(), [](auto& c) { return c.block; }), 7);
  auto ragged = SplitRange({0x0835, 0x0855});
  auto expected = Singles(0x0835, 0x083F);
  expected.push_back({0x0840, true});
  for (auto& c : Singles(0x0850, 0x0855)) expected.push_back(c);
  EXPECT_EQ(ragged, expected);
}

TEST(RangeLists, ReadListHas32FixedEntriesAndOneSlotPerChannelInUse) {
  std::array<bool, 1000> in_use{};
  const auto none = BuildReadList(in_use);
  ASSERT_EQ(none.size(), 32u);
  EXPECT_EQ(none[0], (AddressRange{0x0040, 0x0041}));
  EXPECT_EQ(none[3], (AddressRange{0x0320, 0x0322}));
  EXPECT_EQ(none[15], (AddressRange{0x03F0, 0x03FF}));
  EXPECT_EQ(none[16], (AddressRange{0x06B0, 0x06CF}));
  EXPECT_EQ(none[26], (AddressRange{0x07F0, 0x080F}));
  EXPECT_EQ(none[27], (AddressRange{0x0046, 0x0057}));
  EXPECT_EQ(none[30], (AddressRange{0x08E0, 0x095C}));
  EXPECT_EQ(none[31], (AddressRange{0x0860, 0x08DC}));

  in_use[0] = in_use[999] = in_use[499] = true;
  const auto some = BuildReadList(in_use);
  ASSERT_EQ(some.size(), 35u);
  EXPECT_EQ(some[32], (AddressRange{0x1000, 0x100F}));
  EXPECT_EQ(some[33], (AddressRange{0x1000 + 16 * 499, 0x100F + 16 * 499}));
  EXPECT_EQ(some[34], (AddressRange{0x4E70, 0x4E7F}));

  in_use.fill(true);
  EXPECT_EQ(BuildReadList(in_use).size(), 1032u);
}

TEST(RangeLists, ProgramListWritesEveryChannelSlot) {
  const auto list = BuildProgramList();
  ASSERT_EQ(list.size(), kProgramListEntries);
  EXPECT_EQ(list[0], (AddressRange{0x0000, 0x0001}));
  EXPECT_EQ(list[2], (AddressRange{0x0340, 0x0400}));
  EXPECT_EQ(list[6], (AddressRange{0x0860, 0x08DC}));
  EXPECT_EQ(list[7], (AddressRange{0x0010, 0x0011}));
  EXPECT_EQ(list[8], (AddressRange{0x1000, 0x100F}));
  EXPECT_EQ(list[1007], (AddressRange{0x4E70, 0x4E7F}));
}

TEST(RangeLists, ChannelsInUseComeFromTheBitmap) {
  MemoryImage image;
  image.SetByte(0x0861, 0x01);  // channel 9
  image.SetByte(0x08DC, 0x80);  // channel 1000
  const auto in_use = ChannelsInUse(image);
  EXPECT_EQ(std::count(in_use.begin(), in_use.end(), true), 2);
  EXPECT_TRUE(in_use[8]);
  EXPECT_TRUE(in_use[999]);
}

TEST(LinkResultMessages, AreTheStringTableTexts) {
  EXPECT_EQ(Message(LinkResult::kSuccess), "");
  EXPECT_EQ(Message(LinkResult::kPortUnavailable),
            "There is problem with the communication port.\r\nUnable to transfer data.");
  EXPECT_EQ(Message(LinkResult::kReadFailed), "Failed to read out.\r\nTry again.");
  EXPECT_EQ(Message(LinkResult::kWriteFailed), "Failed to write.\r\nTry again.");
  EXPECT_EQ(Message(LinkResult::kFrequencyNotProgrammable),
            "The frequency that you set cannot be \r\nprogrammed.\r\nPlease confirm the frequency "
            "again.");
  EXPECT_EQ(Code(LinkResult::kFrequencyNotProgrammable), 4);
}

}  // namespace
}  // namespace kestrel::link
