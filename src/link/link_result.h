// The outcome of a transfer step and of reading and programming, with the texts the user sees.
#pragma once

#include <cstdint>
#include <string_view>

namespace kestrel::link {

enum class LinkResult : std::uint16_t {
  kSuccess = 0,
  kPortUnavailable = 1,  // the serial port cannot be opened (pre-checks)
  kReadFailed = 2,
  kWriteFailed = 3,
  kFrequencyNotProgrammable = 4,
};

constexpr int Code(LinkResult result) {
  return static_cast<int>(result);
}

// The message of a failure, lines separated by CR LF; empty for success.
std::string_view Message(LinkResult result);

}  // namespace kestrel::link
