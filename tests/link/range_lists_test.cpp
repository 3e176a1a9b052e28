#include "link/range_lists.h"

#include <gtest/gtest.h>

#include "link/link_result.h"

namespace kestrel::link {
namespace {

// "B0340" for a block, "0400" for a single byte.
std::string Describe(const std::vector<RangeCommand>& commands) {
  std::string out;
  for (const RangeCommand& c : commands) {
    if (!out.empty()) out += ' ';
    if (c.block) out += 'B';
    out += std::to_string(c.address);
  }
  return out;
}

std::string Singles(int from, int to) {
  std::vector<RangeCommand> out;
  for (int a = from; a <= to; ++a) out.push_back({static_cast<std::uint16_t>(a), false});
  return Describe(out);
}

TEST(SplitRange, BlocksWhereAlignedLinesFitAndSingleBytesAtTheEnds) {
  const std::pair<AddressRange, std::string> rows[] = {
      {{0x0046, 0x0057}, Singles(0x0046, 0x0057)},  // ten bytes to the line's end, eight more
      {{0x0400, 0x0400}, "1024"},
      {{0x0300, 0x030E}, Singles(0x0300, 0x030E)},  // 15 aligned bytes
      {{0x0300, 0x030F}, "B768"},
      {{0x0320, 0x0341}, "B800 B816 832 833"},
      {{0x0835, 0x0855}, Singles(0x0835, 0x083F) + " B2112 " + Singles(0x0850, 0x0855)},
      {{0x0860, 0x08DC}, "B2144 B2160 B2176 B2192 B2208 B2224 B2240 " + Singles(0x08D0, 0x08DC)}};
  for (const auto& [range, expected] : rows) {
    EXPECT_EQ(Describe(SplitRange(range)), expected) << range.first << "-" << range.last;
  }
  const auto bands = SplitRange({0x0340, 0x0400});
  ASSERT_EQ(bands.size(), 13u);
  EXPECT_EQ(bands[11], (RangeCommand{0x03F0, true}));
  EXPECT_EQ(bands[12], (RangeCommand{0x0400, false}));
}

TEST(RangeLists, ReadAndProgramListsAndTheChannelBitmap) {
  MemoryImage image;
  image.SetByte(0x0860, 0x01);  // channel 1
  image.SetByte(0x083E, 0xFF);  // not the bitmap
  image.SetByte(0x0897, 0x04);  // channel 443
  image.SetByte(0x08DC, 0x80);  // channel 1000
  const auto in_use = ChannelsInUse(image);
  EXPECT_EQ(std::count(in_use.begin(), in_use.end(), true), 3);
  const auto list = BuildReadList(in_use);
  const std::pair<std::size_t, AddressRange> read_rows[] = {
      {0, {0x0040, 0x0041}},  {3, {0x0320, 0x0322}},  {15, {0x03F0, 0x03FF}},
      {16, {0x06B0, 0x06CF}}, {26, {0x07F0, 0x080F}}, {27, {0x0046, 0x0057}},
      {30, {0x08E0, 0x095C}}, {31, {0x0860, 0x08DC}}, {32, {0x1000, 0x100F}},
      {33, {0x2BA0, 0x2BAF}}, {34, {0x4E70, 0x4E7F}}};
  ASSERT_EQ(list.size(), kReadListFixedEntries + 3);
  for (const auto& [i, range] : read_rows) EXPECT_EQ(list[i], range) << i;
  std::array<bool, 1000> all{};
  all.fill(true);
  EXPECT_EQ(BuildReadList(all).size(), 1032u);

  const auto program = BuildProgramList();
  const std::pair<std::size_t, AddressRange> program_rows[] = {
      {0, {0x0000, 0x0001}}, {1, {0x0300, 0x0322}}, {2, {0x0340, 0x0400}},   {6, {0x0860, 0x08DC}},
      {7, {0x0010, 0x0011}}, {8, {0x1000, 0x100F}}, {1007, {0x4E70, 0x4E7F}}};
  ASSERT_EQ(program.size(), 1008u);
  for (const auto& [i, range] : program_rows) EXPECT_EQ(program[i], range) << i;
}

TEST(LinkResultMessages, AreTheTextsTheUserSees) {
  const std::pair<LinkResult, std::string_view> rows[] = {
      {LinkResult::kPortUnavailable,
       "There is problem with the communication port.\nUnable to transfer data."},
      {LinkResult::kReadFailed, "Failed to read out.\nTry again."},
      {LinkResult::kWriteFailed, "Failed to write.\nTry again."}};
  for (const auto& [result, text] : rows) EXPECT_EQ(Message(result), text);
  // One line for a per-port result: one blank a line end, none after a line's own trailing blank.
  EXPECT_EQ(OnOneLine(ResultText({LinkResult::kFrequencyNotProgrammable, "Channel 004."})),
            "The frequency that you set cannot be programmed. Please confirm the frequency again. "
            "Channel 004.");
}

}  // namespace
}  // namespace kestrel::link
