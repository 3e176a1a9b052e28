// The short-wave broadcast stations a new configuration is filled with.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kestrel {

struct BroadcastPresetEntry {
  std::int16_t Channel = 0;    // memory channel number, 1 to 1000
  std::string_view Name;       // station name, at most six characters
  std::string_view Frequency;  // MHz text with three decimals ("6.030")
};

inline constexpr int kBroadcastPresetCount = 89;

// The 89 entries in table order, channels ascending.
const std::array<BroadcastPresetEntry, kBroadcastPresetCount>& BroadcastPreset();

}  // namespace kestrel
