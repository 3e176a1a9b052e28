// The ranges the receiver's service adjustments are held to. The Factory Settings page offers
// only these values and a read clamps what the receiver sends into some of them.
#pragma once

#include <algorithm>
#include <cstdint>

namespace kestrel {

struct ValueRange {
  std::int32_t lowest;
  std::int32_t highest;

  constexpr bool Contains(std::int64_t value) const { return value >= lowest && value <= highest; }
  constexpr std::int32_t Clamp(std::int64_t value) const {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, lowest, highest));
  }
};

namespace factory_limits {

inline constexpr ValueRange kLevel{0, 65535};        // squelch and S-meter calibration points
inline constexpr ValueRange kTrainFixTime{1, 5000};  // TRAIN OFF time, mSec
inline constexpr ValueRange kFixCount{1, 8};         // decoding fix counts
inline constexpr ValueRange kChargeTime{0, 23};      // hours - 1: 1 to 24 hours
inline constexpr ValueRange kPwm{0, 255};            // bar antenna PWM data
inline constexpr ValueRange kDcsErrorBit{0, 23};     // as the page offers it
inline constexpr ValueRange kUnlockWait{0, 100};     // PLL unlock wait, mSec, as the page offers it

// What a read makes of a charge time above the range (a word the receiver never wrote).
inline constexpr std::int32_t kChargeTimeOutOfRange = 13;

}  // namespace factory_limits
}  // namespace kestrel
