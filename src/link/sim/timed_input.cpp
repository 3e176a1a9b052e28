#include "link/sim/timed_input.h"

#include <string_view>

namespace kestrel::link {

void TimedInput::Push(std::uint32_t delay_ms, PortInput input) {
  Tick at = TickAdd(clock_.Now(), delay_ms);
  if (!queue_.empty() && TickUntil(queue_.back().at, at) < 0) at = queue_.back().at;
  queue_.push_back({at, std::move(input)});
}

void TimedInput::PushBytes(std::uint32_t delay_ms, std::string_view bytes) {
  for (char c : bytes) Push(delay_ms, PortInput::Byte(static_cast<std::uint8_t>(c)));
}

PortInput TimedInput::Receive(std::uint32_t timeout_ms) {
  if (!queue_.empty()) {
    const std::int32_t wait = TickUntil(clock_.Now(), queue_.front().at);
    if (wait < static_cast<std::int32_t>(timeout_ms)) {
      if (wait > 0) clock_.Sleep(static_cast<std::uint32_t>(wait));
      PortInput input = std::move(queue_.front().input);
      queue_.pop_front();
      return input;
    }
  }
  clock_.Sleep(timeout_ms);
  return PortInput::Timeout();
}

}  // namespace kestrel::link
