// A SerialPort that passes everything through to another one and describes the traffic, one line
// per event, for a --trace file: what was sent, what came back, time-outs and failures, with the
// time since the trace started.
#pragma once

#include <functional>
#include <string>

#include "link/clock.h"
#include "link/serial_port.h"

namespace kestrel::link {

class TracingPort final : public SerialPort {
 public:
  using Sink = std::function<void(const std::string& line)>;
  TracingPort(SerialPort& inner, Clock& clock, Sink sink);
  ~TracingPort() override { FlushReceived(); }

  std::expected<void, std::string> Open(const std::string& name) override;
  void Close() override;
  bool IsOpen() const override { return inner_.IsOpen(); }
  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  PortInput Receive(std::uint32_t timeout_ms) override;
  std::string NameForNumber(int number) const override { return inner_.NameForNumber(number); }

 private:
  void Emit(const std::string& what);
  void FlushReceived();

  SerialPort& inner_;
  Clock& clock_;
  Sink sink_;
  Tick start_;
  std::string received_;  // bytes received since the last line, shown together
};

// "01 31 34 |.14|": the bytes in hex and as text, control characters as dots.
std::string DescribeBytes(std::string_view bytes);

}  // namespace kestrel::link
