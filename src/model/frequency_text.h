// The two frequency text conversions the pages, the grid and the reports share.
#pragma once

#include <string>
#include <string_view>

#include "model/frequency_range.h"

namespace kestrel {

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
