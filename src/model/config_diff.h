// What differs between two configurations, item by item, in the words the pages and the memory
// grid show: one difference per channel, Set Mode function, search band or Factory Settings
// value, the old value before the new one.
#pragma once

#include <string>
#include <vector>

#include "model/radio_config.h"

namespace kestrel {

// Where a difference lies, so that a window can go there.
struct DifferencePlace {
  enum class Kind { kSetMode, kChannel, kBand, kFactory };
  Kind kind = Kind::kChannel;
  // The function (0 to 34), the channel (1 to 1000), the band (0 to 23) or the Factory Settings
  // value (0 to 33, in the order of the data file's captions).
  int index = 0;
  bool operator==(const DifferencePlace&) const = default;
};

struct ConfigDifference {
  DifferencePlace place;
  // One line: "011: added 145.50000 MHz FM \"REP\"", "800: Frequency 6.03000 -> 6.03500 MHz,
  // Mode FM -> AM", "Set Mode PAUSE: 5 sec -> 2 sec", "band L02: lower 118.00000 -> 144.00000
  // MHz". Names are Windows-1252 bytes, as the record holds them.
  std::string text;
  bool operator==(const ConfigDifference&) const = default;
};

// The differences from `before` to `after`: Set Mode functions, then channels, search bands and
// Factory Settings values, each in its own order; empty when the two hold the same.
//
// Values are compared as they are shown. Empty channels are alike whatever their fields hold;
// programmed channels differ in a column of the grid or in their step (the grid does not show
// it). Where two values differ but show alike (frequencies less than 10 Hz apart, names that
// differ in their leading blanks, positions outside their table) the line gives them exactly.
std::vector<ConfigDifference> CompareConfigurations(const RadioConfig& before,
                                                    const RadioConfig& after);

}  // namespace kestrel
