// Which frequencies the connected receiver may hold. Its region block (read by the programming
// pre-check into the image) selects a table of blocked ranges; its check switch lifts them all.
#pragma once

#include <optional>
#include <string>

#include "image/memory_image.h"
#include "model/radio_config.h"

namespace kestrel::link {

// False when the image's region code (0x005E) selects a table (0: table A, 2: table B) in which
// a blocked range holds `hz`, both limits included. Any other region code allows everything.
// The check switch is not looked at here: see CheckFrequencies.
bool IsFrequencyAllowed(const MemoryImage& image, double hz);

// The first frequency of a record that the receiver refuses.
struct RefusedFrequency {
  std::string place;  // "channel 011" (as the grid numbers it), "search band 3, upper limit"
  double hz = 0;
  bool operator==(const RefusedFrequency&) const = default;
};

// Tests the frequency of every channel in use, in channel order, then the lower and upper limit
// of every search band (bands numbered 1 to 24 as the page shows them). A check switch (0x005F)
// other than 0 allows everything. nullopt when every frequency may be programmed.
std::optional<RefusedFrequency> CheckFrequencies(const MemoryImage& image,
                                                 const RadioConfig& record);

// "channel 000 at 255.00000 MHz": the refusal as the user reads it under the result's message.
std::string RefusalText(const RefusedFrequency& refused);

}  // namespace kestrel::link
