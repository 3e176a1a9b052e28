#include "link/trace_port.h"

#include <iomanip>

namespace kestrel::link {
namespace {

constexpr std::size_t kBytesPerLine = 48;
constexpr std::uint32_t kSettleNoteMs = 40;

const char* LineErrorName(LineErrorKind error) {
  switch (error) {
    case LineErrorKind::kNone:
      return "none";
    case LineErrorKind::kOverrun:
      return "overrun";
    case LineErrorKind::kBufferOverflow:
      return "buffer overflow";
    case LineErrorKind::kParity:
      return "parity error";
    case LineErrorKind::kDeviceControl:
      return "device control";
    case LineErrorKind::kFraming:
      return "framing error";
    case LineErrorKind::kOther:
      return "line state change";
  }
  return "line error";
}

}  // namespace

TracePort::TracePort(SerialPort& inner, Clock& clock, std::ostream& out)
    : inner_(inner), clock_(clock), out_(out), last_tick_(clock.Now()) {}

TracePort::~TracePort() {
  FlushSilence();
  FlushBytes();
  out_.flush();
}

std::uint64_t TracePort::Elapsed() {
  const Tick now = clock_.Now();
  elapsed_ += TickElapsed(last_tick_, now);
  last_tick_ = now;
  return elapsed_;
}

void TracePort::FlushBytes() {
  if (bytes_.empty()) return;
  std::string hex;
  std::string shown;
  for (std::uint8_t byte : bytes_) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
    hex += ' ';
    shown += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
  }
  out_ << std::setw(8) << line_ms_ << ' ' << direction_ << ' ' << hex << "  " << shown << '\n';
  bytes_.clear();
}

void TracePort::FlushSilence() {
  if (silence_ms_ == 0) return;
  FlushBytes();
  direction_ = 0;
  out_ << std::setw(8) << silence_end_ms_ << " - nothing received for " << silence_ms_ << " ms\n";
  silence_ms_ = 0;
}

void TracePort::AddBytes(char direction, std::span<const std::uint8_t> bytes) {
  FlushSilence();
  const std::uint64_t ms = Elapsed();
  for (std::uint8_t byte : bytes) {
    if (direction != direction_ || ms != line_ms_ || bytes_.size() == kBytesPerLine) {
      FlushBytes();
      direction_ = direction;
      line_ms_ = ms;
    }
    bytes_.push_back(byte);
  }
}

void TracePort::Note(const std::string& text) {
  FlushSilence();
  const std::uint64_t ms = Elapsed();
  FlushBytes();
  direction_ = 0;
  out_ << std::setw(8) << ms << " - " << text << '\n';
}

std::expected<void, OpenFailure> TracePort::Open(const std::string& name) {
  auto opened = inner_.Open(name);
  Note(opened ? "open " + name : "cannot open " + name + ": " + opened.error().text);
  return opened;
}

void TracePort::Close() {
  inner_.Close();
  Note("close");
  out_.flush();
}

void TracePort::SetRts(bool on) {
  inner_.SetRts(on);
  Note(on ? "RTS on" : "RTS off");
}

void TracePort::SetDtr(bool on) {
  inner_.SetDtr(on);
  Note(on ? "DTR on" : "DTR off");
}

bool TracePort::Write(std::span<const std::uint8_t> bytes) {
  AddBytes('>', bytes);
  const bool taken = inner_.Write(bytes);
  if (!taken) Note("the port did not take the bytes above");
  return taken;
}

PortInput TracePort::Receive(std::uint32_t timeout_ms) {
  PortInput input = inner_.Receive(timeout_ms);
  switch (input.kind) {
    case PortInput::Kind::kByte:
      AddBytes('<', std::span(&input.byte, 1));
      if (input.error != LineErrorKind::kNone) {
        Note(std::string(LineErrorName(input.error)) + " with the byte above");
      }
      break;
    case PortInput::Kind::kLineError:
      Note(LineErrorName(input.error));
      break;
    case PortInput::Kind::kTimeout:
      // Every settle delay ends in a short time-out; only the waits for a character are worth
      // a line.
      if (timeout_ms > kSettleNoteMs) {
        silence_ms_ += timeout_ms;
        silence_end_ms_ = Elapsed();
      } else {
        FlushSilence();
      }
      break;
    case PortInput::Kind::kFailed:
      Note("port failed: " + input.detail);
      break;
  }
  return input;
}

}  // namespace kestrel::link
