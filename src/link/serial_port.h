// The serial line as the link sees it: open a port by name with the line settings the receiver
// uses ("38400,n,8,1", no flow control), drive RTS and DTR, write bytes, and wait for the next
// received byte until a time-out. Implementations: the Qt backend (link/qt), the in-process
// receiver (link/sim) and scripted fakes in the tests.
#pragma once

#include <cstdint>
#include <expected>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "link/link_result.h"
#include "link/port_choice.h"

namespace kestrel::link {

// Why a port could not be opened: the words for the user, and the cause with what the system
// answered, for the advice under them.
struct OpenFailure {
  // Implicit, so that a port that knows no more than the words can return them as they are.
  OpenFailure(std::string why = {}, FailureCause why_cause = FailureCause::kUnknown,
              FailureFacts why_facts = {})
      : text(std::move(why)), cause(why_cause), facts(std::move(why_facts)) {}
  std::string text;
  FailureCause cause;
  FailureFacts facts;
};

// Line error codes as the line layer records them (0 means none).
enum class LineErrorKind : std::uint16_t {
  kNone = 0,
  kOverrun = 1,
  kBufferOverflow = 2,
  kParity = 3,
  kDeviceControl = 5,
  kFraming = 9,
  kOther = 10,  // any other line-state change
};

// What one wait on the port delivered.
struct PortInput {
  enum class Kind {
    kByte,       // `byte` arrived; `error` may name a line error that came with it
    kLineError,  // a line-state notification without data
    kTimeout,    // nothing arrived before the time-out
    kFailed,     // the port stopped working (unplugged adapter, read error); see `detail`
  };
  Kind kind = Kind::kTimeout;
  std::uint8_t byte = 0;
  LineErrorKind error = LineErrorKind::kNone;
  std::string detail;

  static PortInput Byte(std::uint8_t b, LineErrorKind e = LineErrorKind::kNone) {
    return {Kind::kByte, b, e, {}};
  }
  static PortInput LineError(LineErrorKind e) { return {Kind::kLineError, 0, e, {}}; }
  static PortInput Timeout() { return {}; }
  static PortInput Failed(std::string why) {
    return {Kind::kFailed, 0, LineErrorKind::kOther, std::move(why)};
  }
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the named port with the receiver's line settings and DTR on. The error says why the
  // port could not be opened (not found, in use, permission denied ...), for the user to read.
  virtual std::expected<void, OpenFailure> Open(const std::string& name) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  virtual void SetRts(bool on) = 0;
  virtual void SetDtr(bool on) = 0;

  // Queues the bytes for sending and returns without waiting for them to leave. False when the
  // port could not take them; the next Receive then reports the failure.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;

  // Blocks until the next received byte, a line error, or `timeout_ms` milliseconds have passed.
  // Bytes come one per call, in arrival order.
  virtual PortInput Receive(std::uint32_t timeout_ms) = 0;

  // The device name behind the tool's port numbers 1 to 4 (the COM menu). An empty text means the
  // number names no port here.
  virtual std::string NameForNumber(int number) const {
    return number >= 1 && number <= kComPorts ? "COM" + std::to_string(number) : std::string();
  }

  // The ports of this kind that exist now, for advice on a port that is missing or silent.
  virtual std::vector<PortDescription> PortsNow() const { return {}; }
};

}  // namespace kestrel::link
