#include "link/range_lists.h"

namespace kestrel::link {
namespace {

void AddSingles(std::vector<RangeCommand>& out, std::int32_t from, std::int32_t to) {
  for (std::int32_t a = from; a <= to; ++a) out.push_back({static_cast<std::uint16_t>(a), false});
}

AddressRange ChannelSlot(int channel) {
  return {ChannelSlotAddress(channel), ChannelSlotAddress(channel) + 15};
}

}  // namespace

std::vector<RangeCommand> SplitRange(const AddressRange& range) {
  std::vector<RangeCommand> out;
  const std::int32_t hi = range.last;
  std::int32_t a = range.first;
  while (a <= hi) {
    if (a % 16 != 0) {
      const std::int32_t base = a - a % 16;
      if (hi - base < 16) {
        AddSingles(out, a, hi);
        break;
      }
      AddSingles(out, a, base + 15);
      a = base + 16;
    } else if (hi - a < 15) {
      AddSingles(out, a, hi);
      break;
    } else {
      out.push_back({static_cast<std::uint16_t>(a), true});
      a += 16;
    }
  }
  return out;
}

std::vector<AddressRange> BuildReadList(const std::array<bool, 1000>& in_use) {
  std::vector<AddressRange> list{
      {0x0040, 0x0041}, {0x0300, 0x030F}, {0x0310, 0x031F}, {0x0320, 0x0322}};
  for (std::int32_t k = 0; k < 12; ++k) list.push_back({0x0340 + 16 * k, 0x034F + 16 * k});
  for (std::int32_t k = 0; k < 11; ++k) list.push_back({0x06B0 + 32 * k, 0x06CF + 32 * k});
  list.insert(
      list.end(),
      {{0x0046, 0x0057}, {0x0820, 0x0835}, {0x0840, 0x0855}, {0x08E0, 0x095C}, {0x0860, 0x08DC}});
  for (int c = 1; c <= 1000; ++c) {
    if (in_use[static_cast<std::size_t>(c - 1)]) list.push_back(ChannelSlot(c));
  }
  return list;
}

std::array<bool, 1000> ChannelsInUse(const MemoryImage& image) {
  std::array<bool, 1000> in_use{};
  for (std::size_t i = 0; i < in_use.size(); ++i) {
    in_use[i] = (image.Byte(0x0860 + i / 8) >> (i % 8) & 1) != 0;
  }
  return in_use;
}

std::vector<AddressRange> BuildProgramList() {
  std::vector<AddressRange> list{{0x0000, 0x0001}, {0x0300, 0x0322}, {0x0340, 0x0400},
                                 {0x0820, 0x0835}, {0x0840, 0x0855}, {0x08E0, 0x095C},
                                 {0x0860, 0x08DC}, {0x0010, 0x0011}};
  list.reserve(kProgramListEntries);
  for (int c = 1; c <= 1000; ++c) list.push_back(ChannelSlot(c));
  return list;
}

}  // namespace kestrel::link
