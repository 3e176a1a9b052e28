// The numbers the encoder derives from record fields, shared by the encoder and by the check
// that runs before it, so both see exactly the same values.
#pragma once

#include <cstdint>

#include "model/frequency_range.h"
#include "model/radio_config.h"

namespace kestrel::encode {

// A frequency must lie in 0 to 2^31 - 1 Hz.
inline constexpr double kFrequencyLimitHz = 2147483648.0;
// Written for an empty channel, an empty lower and an empty upper band limit: the ends of the
// receiver's range.
inline constexpr double kEmptyChannelHz = kLowestHz;
inline constexpr double kEmptyLowerLimitHz = kLowestHz;
inline constexpr double kEmptyUpperLimitHz = kHighestHz;

// The slot frequency of a channel: its text rounded to whole Hz while `InUse` is not 0.
double ChannelHz(const MemoryChannel& channel);

// A band limit in Hz from its MHz text, or `empty_hz` for "".
double LimitHz(const std::string& mhz, double empty_hz);

// The Set Mode byte of `function` before the range check: most functions store their position,
// six the position + 1, and the five functions without a table always 0.
int SetModeByte(const RadioConfig& record, int function);

// Charge time as the receiver counts it, in minutes.
std::int64_t ChargeMinutes(const FactorySettings& factory);

inline bool FitsFrequency(double hz) {
  return hz >= 0.0 && hz < kFrequencyLimitHz;
}

}  // namespace kestrel::encode
