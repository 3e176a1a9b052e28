#include "link/clock.h"

#include <chrono>
#include <thread>

namespace kestrel::link {

Tick RealClock::Now() {
  const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count();
  return static_cast<Tick>(static_cast<std::uint64_t>(ms) & kTickMask);
}

void RealClock::Sleep(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace kestrel::link
