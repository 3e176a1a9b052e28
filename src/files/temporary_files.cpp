#include "files/temporary_files.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace kestrel {

namespace {

using PathChar = std::filesystem::path::value_type;

// Fixed slots in static storage, so that the handler reads them without locks or allocation.
// A slot is armed only while its path is complete; the handler looks at armed slots only.
enum SlotState : int { kFree, kFilling, kArmed };

struct Slot {
  std::atomic<int> state{kFree};
  static constexpr std::size_t kCapacity = 4096;
  PathChar path[kCapacity];
};

std::array<Slot, 16> slots;

void RemoveAndRaiseAgain(int signal) {
  const int saved_errno = errno;
  RemoveTemporaryFiles();
  // SA_RESETHAND (on Windows, the C library itself) has put the default action back: once this
  // handler returns, the signal ends the program as it would have without the handler.
  raise(signal);
  errno = saved_errno;
}

#ifdef _WIN32
// Windows has SIGINT (Ctrl+C in a console) and SIGTERM of the C library only, and no way to ask
// for the action but to set one.
void InstallHandlers() {
  for (const int signal : {SIGINT, SIGTERM}) {
    const auto previous = std::signal(signal, RemoveAndRaiseAgain);
    if (previous != SIG_DFL) std::signal(signal, previous);
  }
}

void RemoveFile(const PathChar* path) {
  _wunlink(path);
}
#else
void InstallHandlers() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ}) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
        current.sa_handler != SIG_DFL) {
      continue;
    }
    struct sigaction action {};
    action.sa_handler = RemoveAndRaiseAgain;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(signal, &action, nullptr);
  }
}

void RemoveFile(const PathChar* path) {
  unlink(path);
}
#endif

}  // namespace

bool RegisterTemporaryFile(const std::filesystem::path& path) {
  static std::once_flag installed;
  std::call_once(installed, InstallHandlers);
  const auto& name = path.native();
  if (name.size() >= Slot::kCapacity) return false;
  for (Slot& slot : slots) {
    int expected = kFree;
    if (!slot.state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slot.path, name.c_str(), (name.size() + 1) * sizeof(PathChar));
    slot.state.store(kArmed, std::memory_order_release);
    return true;
  }
  return false;
}

void UnregisterTemporaryFile(const std::filesystem::path& path) {
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) == kArmed &&
        path.native() == std::basic_string_view<PathChar>(slot.path)) {
      slot.state.store(kFree, std::memory_order_release);
      return;
    }
  }
}

void RemoveTemporaryFiles() noexcept {
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) == kArmed) RemoveFile(slot.path);
  }
}

}  // namespace kestrel
