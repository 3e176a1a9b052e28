// Time for the link: a millisecond tick reduced modulo 2^30, as the time-outs are specified, and
// a blocking wait. The real clock sleeps; the virtual clock of the tests jumps forward at once, so
// the 1000 ms and 40 ms rules are exact there and a full transfer takes no real time.
#pragma once

#include <cstdint>

namespace kestrel::link {

using Tick = std::uint32_t;

inline constexpr Tick kTickModulus = Tick{1} << 30;
inline constexpr Tick kTickMask = kTickModulus - 1;

// Milliseconds from `start` to `now`, correct across the wrap of the tick range.
constexpr std::uint32_t TickElapsed(Tick start, Tick now) {
  return (now - start) & kTickMask;
}

// Milliseconds from `now` until `due` when `due` lies less than half the tick range ahead;
// negative when it has passed.
constexpr std::int32_t TickUntil(Tick now, Tick due) {
  const std::uint32_t ahead = (due - now) & kTickMask;
  return ahead < kTickModulus / 2
             ? static_cast<std::int32_t>(ahead)
             : static_cast<std::int32_t>(ahead) - static_cast<std::int32_t>(kTickModulus);
}

constexpr Tick TickAdd(Tick t, std::uint32_t ms) {
  return (t + ms) & kTickMask;
}

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds modulo 2^30.
  virtual Tick Now() = 0;
  // Blocks for `ms` milliseconds.
  virtual void Sleep(std::uint32_t ms) = 0;
};

// The system's monotonic clock; Sleep blocks the calling thread.
class RealClock final : public Clock {
 public:
  Tick Now() override;
  void Sleep(std::uint32_t ms) override;
};

// Time that moves only when someone waits: Sleep advances it at once.
class VirtualClock final : public Clock {
 public:
  explicit VirtualClock(Tick start = 0) : now_(start & kTickMask) {}
  Tick Now() override { return now_; }
  void Sleep(std::uint32_t ms) override {
    now_ = TickAdd(now_, ms);
    total_ += ms;
  }
  // Milliseconds slept since construction, without the wrap.
  std::uint64_t Total() const { return total_; }

 private:
  Tick now_;
  std::uint64_t total_ = 0;
};

}  // namespace kestrel::link
