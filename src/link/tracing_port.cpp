#include "link/tracing_port.h"

#include "link/frames.h"
#include "link/serial_line.h"

namespace kestrel::link {

std::string DescribeBytes(std::string_view bytes) {
  std::string hex;
  std::string text;
  for (char c : bytes) {
    if (!hex.empty()) hex += ' ';
    hex += HexByte(static_cast<std::uint8_t>(c));
    text += c >= 0x20 && c < 0x7F ? c : '.';
  }
  return hex + " |" + text + "|";
}

TracingPort::TracingPort(SerialPort& inner, Clock& clock, Sink sink)
    : inner_(inner), clock_(clock), sink_(std::move(sink)), start_(clock.Now()) {}

void TracingPort::Emit(const std::string& what) {
  if (sink_) sink_(std::to_string(TickElapsed(start_, clock_.Now())) + " ms " + what);
}

void TracingPort::FlushReceived() {
  if (received_.empty()) return;
  Emit("received " + DescribeBytes(received_));
  received_.clear();
}

std::expected<void, std::string> TracingPort::Open(const std::string& name) {
  auto opened = inner_.Open(name);
  Emit(opened ? "opened " + name : "cannot open " + name + ": " + opened.error());
  return opened;
}

void TracingPort::Close() {
  FlushReceived();
  if (inner_.IsOpen()) Emit("closed");
  inner_.Close();
}

void TracingPort::SetRts(bool on) {
  FlushReceived();
  Emit(on ? "RTS on" : "RTS off");
  inner_.SetRts(on);
}

void TracingPort::SetDtr(bool on) {
  FlushReceived();
  Emit(on ? "DTR on" : "DTR off");
  inner_.SetDtr(on);
}

bool TracingPort::Write(std::span<const std::uint8_t> bytes) {
  FlushReceived();
  const bool written = inner_.Write(bytes);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  Emit((written ? "sent " : "could not send ") + DescribeBytes(text));
  return written;
}

PortInput TracingPort::Receive(std::uint32_t timeout_ms) {
  PortInput input = inner_.Receive(timeout_ms);
  switch (input.kind) {
    case PortInput::Kind::kByte:
      received_ += static_cast<char>(input.byte);
      if (input.error != LineErrorKind::kNone) {
        FlushReceived();
        Emit("line error " + std::to_string(static_cast<int>(input.error)));
      }
      break;
    case PortInput::Kind::kLineError:
      FlushReceived();
      Emit("line error " + std::to_string(static_cast<int>(input.error)));
      break;
    case PortInput::Kind::kTimeout:
      FlushReceived();
      // The settle delay ends in a short time-out after every command; only the long waits of a
      // silent line are worth a line.
      if (timeout_ms > kSettleDelayMs) Emit("nothing for " + std::to_string(timeout_ms) + " ms");
      break;
    case PortInput::Kind::kFailed:
      FlushReceived();
      Emit("port failed: " + input.detail);
      break;
  }
  return input;
}

}  // namespace kestrel::link
