// Configurations the link tests write and read.
#pragma once

#include <initializer_list>
#include <string>

#include "model/defaults.h"

namespace kestrel::link::testing {

// The new configuration with every channel cleared but `channels`, each an FM channel of its own
// frequency and name.
inline RadioConfig WithChannels(std::initializer_list<int> channels) {
  RadioConfig record = NewConfiguration();
  for (int c = 1; c <= kChannelCount; ++c) ClearChannel(record, c);
  for (int c : channels) {
    record.Channel(c) = {1, std::to_string(145000000 + 12500 * c), "CH" + std::to_string(c), 1, 3};
  }
  return record;
}

}  // namespace kestrel::link::testing
