// Building a default configuration and emptying one channel.
#pragma once

#include "model/radio_config.h"

namespace kestrel {

// The configuration of a new document: default Set Mode, full-range search bands, the factory
// defaults and the 89 broadcast presets.
RadioConfig NewConfiguration();

// Empties channel `number` (1 to 1000): not in use, no frequency or name, every index 0.
void ClearChannel(RadioConfig& record, int number);

}  // namespace kestrel
