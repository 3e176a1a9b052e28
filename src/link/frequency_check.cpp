#include "link/frequency_check.h"

#include <array>
#include <cstdint>
#include <span>

#include "image/encode_values.h"
#include "image/image_map.h"
#include "model/frequency_text.h"

namespace kestrel::link {
namespace {

struct BlockedRange {
  double low_hz;
  double high_hz;
};

constexpr std::array<BlockedRange, 9> kTableA{{{253e6, 256e6},
                                               {262e6, 267e6},
                                               {271e6, 276e6},
                                               {380e6, 383e6},
                                               {412e6, 416e6},
                                               {810e6, 835e6},
                                               {843e6, 846e6},
                                               {860e6, 901e6},
                                               {915e6, 961e6}}};
constexpr std::array<BlockedRange, 2> kTableB{{{822e6, 850.995e6}, {867e6, 895.995e6}}};

std::span<const BlockedRange> BlockedRanges(std::uint8_t region_code) {
  switch (region_code) {
    case 0:
      return kTableA;
    case 2:
      return kTableB;
    default:
      return {};
  }
}

std::string ChannelPlace(int number) {
  std::string shown = std::to_string(number - 1);
  shown.insert(0, 3 - shown.size(), '0');
  return "channel " + shown;
}

}  // namespace

bool IsFrequencyAllowed(const MemoryImage& image, double hz) {
  for (const BlockedRange& range : BlockedRanges(image.Byte(image_map::kRegionCode))) {
    if (range.low_hz <= hz && hz <= range.high_hz) return false;
  }
  return true;
}

std::optional<RefusedFrequency> CheckFrequencies(const MemoryImage& image,
                                                 const RadioConfig& record) {
  if (image.Byte(image_map::kCheckSwitch) != 0) return std::nullopt;
  // The frequencies tested are those the encoder will write: channel text rounded to whole Hz,
  // band limits converted from their MHz text to Hz. An empty text reads as 0 and is allowed.
  for (int c = 1; c <= kChannelCount; ++c) {
    const MemoryChannel& channel = record.Channel(c);
    if (!channel.IsProgrammed()) continue;
    const double hz = encode::ChannelHz(channel);
    if (!IsFrequencyAllowed(image, hz)) return RefusedFrequency{ChannelPlace(c), hz};
  }
  for (int b = 0; b < kSearchBandCount; ++b) {
    const SearchBand& band = record.Band(b);
    const std::string place = "search band " + std::to_string(b + 1);
    const double low = encode::LimitHz(band.LowFrequency, 0);
    if (!IsFrequencyAllowed(image, low)) return RefusedFrequency{place + ", lower limit", low};
    const double upper = encode::LimitHz(band.UpperFrequency, 0);
    if (!IsFrequencyAllowed(image, upper)) return RefusedFrequency{place + ", upper limit", upper};
  }
  return std::nullopt;
}

std::string RefusalText(const RefusedFrequency& refused) {
  // A refused frequency lies inside a blocked range, so it is a modest whole number of Hz.
  return refused.place + " at " + HzToMhzText(std::to_string(static_cast<long long>(refused.hz))) +
         " MHz";
}

}  // namespace kestrel::link
