// Received input scheduled on a clock: what an in-process port delivers and when. Receive waits
// on the clock until the next input is due or the time-out has passed; on the virtual clock that
// wait is instant and exact.
#pragma once

#include <cstdint>
#include <deque>

#include "link/clock.h"
#include "link/serial_port.h"

namespace kestrel::link {

class TimedInput {
 public:
  explicit TimedInput(Clock& clock) : clock_(clock) {}

  // Schedules `input` `delay_ms` from now, never before input scheduled earlier.
  void Push(std::uint32_t delay_ms, PortInput input);
  void PushBytes(std::uint32_t delay_ms, std::string_view bytes);

  // The next input due before `timeout_ms` has passed, else a time-out after waiting it out.
  PortInput Receive(std::uint32_t timeout_ms);

  void Clear() { queue_.clear(); }
  bool Empty() const { return queue_.empty(); }

 private:
  struct Due {
    Tick at;
    PortInput input;
  };
  Clock& clock_;
  std::deque<Due> queue_;
};

}  // namespace kestrel::link
