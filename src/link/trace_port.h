// A wire trace for diagnosing cables: wraps a SerialPort and writes every byte sent and
// received, with the milliseconds since the trace began, to a stream. Bytes that go the same way
// in the same millisecond share a line:
//
//       12 > 01 31 34 30 38 36 30 43 43 0D   .140860CC.
//       47 < 01 31 34 ...
//     1051 - nothing received for 1000 ms
//
// ">" is sent, "<" received; "-" lines note opening, closing, RTS/DTR, time-outs, line errors
// and a port that stopped working.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/serial_port.h"

namespace kestrel::link {

class TracePort final : public SerialPort {
 public:
  TracePort(SerialPort& inner, Clock& clock, std::ostream& out);
  ~TracePort() override;

  std::expected<void, OpenFailure> Open(const std::string& name) override;
  void Close() override;
  bool IsOpen() const override { return inner_.IsOpen(); }
  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  PortInput Receive(std::uint32_t timeout_ms) override;
  std::string NameForNumber(int number) const override { return inner_.NameForNumber(number); }
  std::vector<PortDescription> PortsNow() const override { return inner_.PortsNow(); }

 private:
  std::uint64_t Elapsed();
  void AddBytes(char direction, std::span<const std::uint8_t> bytes);
  void Note(const std::string& text);
  void FlushBytes();
  void FlushSilence();

  SerialPort& inner_;
  Clock& clock_;
  std::ostream& out_;
  Tick last_tick_;
  std::uint64_t elapsed_ = 0;  // ms since the trace began, without the tick's wrap

  // The line being collected.
  char direction_ = 0;
  std::uint64_t line_ms_ = 0;
  std::vector<std::uint8_t> bytes_;
  // A wait the line made in parts is one silence, noted when something else happens.
  std::uint64_t silence_ms_ = 0;
  std::uint64_t silence_end_ms_ = 0;
};

}  // namespace kestrel::link
