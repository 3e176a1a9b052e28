// A request to stop a transfer. Any thread, and a signal handler, may make it; the worker that
// runs the transfer looks at it before every command it sends, so a transfer stops between
// commands, never inside a frame, and ends as after a failure: port closed, RTS dropped.
#pragma once

#include <atomic>

namespace kestrel::link {

class CancelToken {
 public:
  // Lock-free, so that a signal handler may call it.
  void Request() noexcept { requested_.store(true, std::memory_order_relaxed); }
  bool Requested() const noexcept { return requested_.load(std::memory_order_relaxed); }
  // Ready for the next transfer.
  void Reset() noexcept { requested_.store(false, std::memory_order_relaxed); }

 private:
  static_assert(std::atomic<bool>::is_always_lock_free);
  std::atomic<bool> requested_{false};
};

}  // namespace kestrel::link
