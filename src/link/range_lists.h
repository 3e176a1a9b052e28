// Range lists drive the transfers: ordered address ranges of the memory image, each cut into
// 16-byte block commands and single-byte commands by the split rule.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "image/memory_image.h"

namespace kestrel::link {

// First and last address, both inclusive.
struct AddressRange {
  std::int32_t first = 0;
  std::int32_t last = 0;
  bool operator==(const AddressRange&) const = default;
};

// One memory command of a walk: 16 bytes at an aligned address, or one byte.
struct RangeCommand {
  std::uint16_t address = 0;
  bool block = false;
  bool operator==(const RangeCommand&) const = default;
};

// Blocks wherever a whole aligned 16-byte line lies in the range, single bytes at its ragged
// ends, in ascending address order.
std::vector<RangeCommand> SplitRange(const AddressRange& range);

inline constexpr std::size_t kReadListFixedEntries = 32;
inline constexpr std::size_t kProgramListEntries = 1008;

// The read list: 32 fixed ranges, then the slot of every channel marked in use, ascending.
// `in_use[c - 1]` tells whether channel c is in use.
std::vector<AddressRange> BuildReadList(const std::array<bool, 1000>& in_use);

// Which channels the image's channel bitmap marks in use.
std::array<bool, 1000> ChannelsInUse(const MemoryImage& image);

// The program list: 8 fixed ranges, then all 1000 channel slots.
std::vector<AddressRange> BuildProgramList();

// How many memory commands a walk of `list` sends.
std::size_t CommandCount(const std::vector<AddressRange>& list);

// The bytes of the program list that no read fetches: 0x0000-0x0001, 0x0010-0x0011 and 0x0400.
bool ReadNeverCovers(std::size_t address);

}  // namespace kestrel::link
