// Warnings about a whole record. Files and receivers may hold any position in any field, and
// they load as they come; these name what the user should know before a write or after a check.
#pragma once

#include <vector>

#include "model/finding.h"
#include "model/radio_config.h"

namespace kestrel {

// Warnings, each naming where the user finds the value: every Set Mode position and every coded
// field of a programmed channel that is not in its value table ("channel 799, STEP: 13 is not in
// the step table"). The receiver gets such values as they are. A `RevDcs` of -1 (no polarity) is no
// warning; functions without a table neither.
std::vector<Finding> ValuesOutsideTables(const RadioConfig& record);

// The warnings above and, channel by channel, every programmed channel that the channel editor
// would refuse if it were entered as the grid shows it, with its first problem ("channel 011,
// Frequency: 145.00100 MHz is on no tuning raster: ..."); a refusal that says what a warning
// about a value outside its table says already is named once.
std::vector<Finding> CheckRecord(const RadioConfig& record);

}  // namespace kestrel
