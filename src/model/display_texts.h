// How the record's items read to the user: channel numbers, the texts of a channel's row and the
// labels of the search bands. The memory grid, the printed reports, kestrel-cli and every export
// show them through these, so they read alike everywhere.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "model/radio_config.h"

namespace kestrel {

// The texts of a channel's row, in the order the grid and the memory report show them.
enum class ChannelColumn : std::size_t {
  kNumber,
  kFrequency,
  kName,
  kMode,
  kToneSelect,
  kTsq,
  kRevTsq,
  kDcs,
  kRevDcs,
  kScrambler,
  kTrain,
};
inline constexpr std::size_t kChannelColumnCount = 11;
using ChannelRowTexts = std::array<std::string, kChannelColumnCount>;

// The column's caption as the memory grid heads it ("No.", "Frequency", "NAME", "SCALR").
std::string_view ChannelColumnCaption(ChannelColumn column);

// Channel `number` (1 to 1000) as every message and list shows it: "000" to "999".
std::string ChannelNumberText(int number);

// One text of channel `number`'s row: for an empty channel only the number; otherwise MHz with
// five decimals (truncated to 10 Hz), the name without the blanks around it (Windows-1252
// bytes), the table entries of the coded fields ("" for a position outside its table), and the
// DCS polarity only under tone select DCS.
std::string ChannelText(const MemoryChannel& channel, int number, ChannelColumn column);
ChannelRowTexts ChannelTexts(const MemoryChannel& channel, int number);

// Search band `band` (0 to 23): "L00" to "L22", and "L--" for the last one.
std::string SearchBandLabel(int band);

// `text` without the blanks around it (names are padded with spaces, never with other space).
std::string_view TrimBlanks(std::string_view text);

}  // namespace kestrel
