#include "link/range_lists.h"

#include "image/image_map.h"
#include "model/radio_config.h"

namespace map = kestrel::image_map;

namespace kestrel::link {
namespace {

void AddSingles(std::vector<RangeCommand>& out, std::int32_t from, std::int32_t to) {
  for (std::int32_t a = from; a <= to; ++a) out.push_back({static_cast<std::uint16_t>(a), false});
}

// `size` bytes from `first`.
AddressRange Span(std::size_t first, std::size_t size) {
  return {static_cast<std::int32_t>(first), static_cast<std::int32_t>(first + size - 1)};
}

AddressRange ChannelSlot(int channel) {
  return Span(map::ChannelSlotAddress(channel), map::kChannelSlotSize);
}

constexpr std::size_t kLine = 16;  // one block command
constexpr std::size_t kSearchBandsSize = map::kSearchBandSize * kSearchBandCount;
constexpr std::size_t kChannelCountsSize = 2 * map::kChannelCountWords;

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
  std::vector<AddressRange> list{Span(map::kChargeMinutes, 2), Span(map::kSetMode, kLine),
                                 Span(map::kSetMode + kLine, kLine),
                                 Span(map::kSetMode + 2 * kLine, map::kSetModeSize - 2 * kLine)};
  for (std::size_t at = map::kSearchBands; at < map::kSearchBands + kSearchBandsSize; at += kLine) {
    list.push_back(Span(at, kLine));
  }
  for (std::size_t at = map::kSMeterFm; at < map::kFactoryTablesLast; at += 2 * kLine) {
    list.push_back(Span(at, 2 * kLine));
  }
  list.insert(list.end(), {Span(map::kUnlockWait, map::kTrainFixTime + 2 - map::kUnlockWait),
                           Span(map::kChannelCounts, kChannelCountsSize),
                           Span(map::kChannelCountsCopy, kChannelCountsSize),
                           Span(map::kChannelBitmapCopy, map::kChannelBitmapSize),
                           Span(map::kChannelBitmap, map::kChannelBitmapSize)});
  for (int c = 1; c <= kChannelCount; ++c) {
    if (in_use[static_cast<std::size_t>(c - 1)]) list.push_back(ChannelSlot(c));
  }
  return list;
}

std::array<bool, 1000> ChannelsInUse(const MemoryImage& image) {
  std::array<bool, 1000> in_use{};
  for (int c = 1; c <= kChannelCount; ++c) {
    const std::uint8_t bits = image.Byte(map::kChannelBitmap + map::ChannelBitmapByte(c));
    in_use[static_cast<std::size_t>(c - 1)] = (bits & map::ChannelBitmapMask(c)) != 0;
  }
  return in_use;
}

std::vector<AddressRange> BuildProgramList() {
  std::vector<AddressRange> list{
      Span(map::kProgramStart, 2),
      Span(map::kSetMode, map::kSetModeSize),
      Span(map::kSearchBands, kSearchBandsSize + 1),  // with the unencoded byte
      Span(map::kChannelCounts, kChannelCountsSize),
      Span(map::kChannelCountsCopy, kChannelCountsSize),
      Span(map::kChannelBitmapCopy, map::kChannelBitmapSize),
      Span(map::kChannelBitmap, map::kChannelBitmapSize),
      Span(map::kLowestChannel, 2)};
  list.reserve(kProgramListEntries);
  for (int c = 1; c <= kChannelCount; ++c) list.push_back(ChannelSlot(c));
  return list;
}

std::size_t CommandCount(const std::vector<AddressRange>& list) {
  std::size_t count = 0;
  for (const AddressRange& range : list) count += SplitRange(range).size();
  return count;
}

bool ReadNeverCovers(std::size_t address) {
  return address == map::kProgramStart || address == map::kProgramStart + 1 ||
         address == map::kLowestChannel || address == map::kLowestChannel + 1 ||
         address == map::kUnencodedByte;
}

}  // namespace kestrel::link
