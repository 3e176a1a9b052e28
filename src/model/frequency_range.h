// The receiver's frequency range: what it can tune, from 0.1 MHz to 1299.995 MHz. A new
// configuration gives every search band these limits, a typed frequency is held within them, a
// channel outside them is refused, and the encoder writes them for limits that are not set.
#pragma once

namespace kestrel {

inline constexpr double kLowestHz = 100000;
inline constexpr double kHighestHz = 1299995000;
inline constexpr double kLowestMhz = kLowestHz / 1e6;
inline constexpr double kHighestMhz = kHighestHz / 1e6;

}  // namespace kestrel
