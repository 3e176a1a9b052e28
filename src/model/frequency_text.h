// A channel's frequency read from its texts, and the text conversions the pages, the grid and
// the reports share. The stored text stays as the file spelled it; every place that needs the
// number reads it through HzOfText or EntryHz, so that all of them read the same number.
#pragma once

#include <string>
#include <string_view>

#include "model/frequency_range.h"
#include "model/radio_config.h"

namespace kestrel {

// A stored Hz text as the receiver gets it, in whole Hz: the number the text starts with, rounded
// half to even ("146520000" -> 146520000, "" -> 0).
double HzOfText(std::string_view hz);
inline double StoredHz(const MemoryChannel& channel) {
  return HzOfText(channel.Frequency);
}

// A frequency typed or shown as MHz text, in Hz as the rules check it, not rounded
// ("146.52" -> 146520000, "1e9" -> 1e15, "" -> 0).
double EntryHz(std::string_view mhz);

// Hz text of a channel to MHz text with five decimals, truncated to 10 Hz (never rounded up):
// "145000000" -> "145.00000", "123456789" -> "123.45678". "" stays "".
std::string HzToMhzText(std::string_view hz);

// Hz text of a channel to MHz text to the whole Hz, six decimals, for two frequencies that the
// five decimals show alike: "6030004" -> "6.030004". "" stays "".
std::string ExactMhzText(std::string_view hz);

// A typed MHz text limited to the receiver's range, with five decimals: "1300" -> "1299.99500",
// "0.05" or text without digits -> "0.10000". "" stays "".
std::string ClampMhzText(std::string_view mhz);

}  // namespace kestrel
