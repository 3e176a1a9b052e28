// The Factory Settings part of the encoder: service values and the calibration tables the
// receiver derives from them (S-meter points, scaled FM table, squelch tables, PWM bytes).
#pragma once

#include "image/memory_image.h"
#include "model/radio_config.h"

namespace kestrel {

// Writes the factory areas. Negative S-meter and squelch levels are written as 0.
// Expects values that passed CheckEncodable.
void EncodeFactorySettings(const FactorySettings& factory, MemoryImage& image);

}  // namespace kestrel
