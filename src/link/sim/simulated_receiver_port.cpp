#include "link/sim/simulated_receiver_port.h"

namespace kestrel::link {

std::expected<void, OpenFailure> SimulatedReceiverPort::Open(const std::string& name) {
  if (open_) return std::unexpected(name + " is already open.");
  if (open_failure_) return std::unexpected(*open_failure_);
  open_ = true;
  unplugged_ = false;
  open_name_ = name;
  ++opens_;
  return {};
}

void SimulatedReceiverPort::Close() {
  if (!open_) return;
  open_ = false;
  rts_ = dtr_ = false;
  input_.Clear();  // what was still on its way is lost with the line
  receiver_.ResetInput();
  ++closes_;
}

void SimulatedReceiverPort::SetRts(bool on) {
  if (on) ++rts_raised_;
  rts_ = on;
}

bool SimulatedReceiverPort::Write(std::span<const std::uint8_t> bytes) {
  if (!open_ || unplugged_) return false;
  for (SimulatorAnswer& answer : receiver_.Take(bytes)) {
    if (answer.bytes.empty()) continue;
    const std::string_view answered = answer.bytes;
    input_.PushBytes(answer.delay_ms, answered.substr(0, answered.size() - 1));
    input_.Push(answer.delay_ms,
                PortInput::Byte(static_cast<std::uint8_t>(answered.back()),
                                answer.line_error ? LineErrorKind::kParity : LineErrorKind::kNone));
  }
  return true;
}

PortInput SimulatedReceiverPort::Receive(std::uint32_t timeout_ms) {
  if (!open_) return PortInput::Failed("The port is not open.");
  if (unplugged_) return PortInput::Failed("The serial adapter was removed.");
  return input_.Receive(timeout_ms);
}

std::string SimulatedReceiverPort::NameForNumber(int number) const {
  return number >= 1 && number <= kComPorts
             ? std::string(kSimulatedPortText) + std::to_string(number)
             : std::string();
}

}  // namespace kestrel::link
