// A port whose answers the test scripts: each write is recorded and handed to `on_write`, which
// schedules what comes back and when, on the virtual clock.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/frames.h"
#include "link/link_result.h"
#include "link/serial_port.h"
#include "link/sim/timed_input.h"

namespace kestrel::link::testing {

// SOH, the text, CR: a frame or a reply as it goes over the line.
inline std::string Line(const std::string& text) {
  return kSoh + text + kCr;
}

// The failure's code, or kDone for none.
inline constexpr std::optional<LinkResult> kDone{};
template <typename T>
std::optional<LinkResult> ResultOf(const std::expected<T, LinkFailure>& status) {
  if (status) return kDone;
  return status.error().code;
}
// The status with its code and detail only, without the cause and facts the advice is made of.
inline LinkStatus Plain(LinkStatus status) {
  if (!status) status = std::unexpected(LinkFailure{status.error().code, status.error().detail});
  return status;
}
// The failure's detail; "" on success.
template <typename T>
std::string DetailOf(const std::expected<T, LinkFailure>& status) {
  return status ? std::string() : status.error().detail;
}

class ScriptedPort final : public SerialPort {
 public:
  explicit ScriptedPort(Clock& clock) : input(clock) {}

  std::expected<void, OpenFailure> Open(const std::string& name) override {
    if (!open_failure.empty()) return std::unexpected(open_failure);
    open = true;
    opened.push_back(name);
    return {};
  }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  void SetRts(bool on) override { rts_changes.push_back(on); }
  void SetDtr(bool on) override { dtr = on; }
  bool Write(std::span<const std::uint8_t> bytes) override {
    writes.emplace_back(bytes.begin(), bytes.end());
    if (on_write) on_write(writes.back(), input);
    return true;
  }
  PortInput Receive(std::uint32_t timeout_ms) override { return input.Receive(timeout_ms); }

  TimedInput input;
  std::function<void(const std::string& written, TimedInput& input)> on_write;
  std::vector<std::string> writes;
  std::vector<std::string> opened;
  std::vector<bool> rts_changes;
  std::string open_failure;
  bool open = false;
  bool dtr = false;
};

}  // namespace kestrel::link::testing
