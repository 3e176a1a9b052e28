// The line layer: the one port of the link with its received-text buffers, line-error code and
// the two timed waits the protocol is built on. Every wait keeps receiving: each byte that
// arrives is appended to RxText and held as RxLast in arrival order, also during the settle
// delay, so an echo followed at once by its reply is read as one text.
#pragma once

#include <cstdint>
#include <expected>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "link/cancel.h"
#include "link/clock.h"
#include "link/serial_port.h"

namespace kestrel::link {

inline constexpr std::uint32_t kCharTimeoutMs = 1000;
inline constexpr std::uint32_t kSettleDelayMs = 40;
inline constexpr std::size_t kRxTextLimit = 76;  // longer received text is a line error
// How often a wait for a character ticks while nothing arrives.
inline constexpr std::uint32_t kWaitTickMs = 250;

// Outcome of WaitChar.
enum class CharWait { kReceived = 0, kTimeout = 1, kLineError = 2 };

// What came back for the frames and handshakes sent since BeginCommand, each judged by what
// arrived until the next was sent: for telling a silent receiver from an echoing cable, a device
// that is not a receiver and a noisy line.
struct AnswersSeen {
  int silent = 0;              // nothing at all arrived
  int echo_only = 0;           // only the echo of what was sent
  bool foreign = false;        // bytes a receiver never sends
  bool receiver_like = false;  // ACK, NAK or SOH: the receiver's kind of answer
  bool line_errors = false;
  std::string sample;  // the first answer that was not silent, without its echo
};

class SerialLine {
 public:
  SerialLine(SerialPort& port, Clock& clock) : port_(port), clock_(clock) {}

  // The port OpenPort uses: a number 1 to 4 (0: none chosen yet, opening fails) or a device name.
  void SetPortNumber(int number);
  void SetPortName(std::string name);
  int PortNumber() const { return port_number_; }
  // The device name OpenPort opens ("" when none is chosen or the number names no port).
  std::string PortName() const;
  // While set, OpenPort fails with this reason and opens nothing (the port is taken elsewhere).
  void RefuseOpen(OpenFailure reason) { open_refusal_ = std::move(reason); }

  // Opens the chosen port (DTR and RTS on). Reusing the port already open on the same name only
  // asserts RTS again; a port open on another name is closed first. The error says why the port
  // cannot be opened, for the user to read.
  std::expected<void, OpenFailure> OpenPort();
  // Drops RTS and closes the port if it is open.
  bool ClosePort();

  // Hands `text` to the port without waiting for it to leave and keeps it as LastSent.
  void SendRaw(std::string_view text);
  // Waits up to 1000 ms for the next character; RxLast is emptied first.
  CharWait WaitChar();
  // The same wait, cut short at `deadline` when that comes first: then it is a time-out.
  CharWait WaitCharUntil(Tick deadline);
  // Takes in whatever arrives during the next 40 ms.
  void SettleDelay();
  // Called every kWaitTickMs while a wait for a character receives nothing, so that the time
  // left can go on counting down; none when empty.
  void SetWaitTick(std::function<void()> tick) { wait_tick_ = std::move(tick); }

  const std::string& RxLast() const { return rx_last_; }
  const std::string& RxText() const { return rx_text_; }
  LineErrorKind LineError() const { return line_error_; }
  const std::string& LastSent() const { return last_sent_; }
  void ClearRxLast() { rx_last_.clear(); }
  void ClearRxText() { rx_text_.clear(); }

  // Starts a new record of the answers seen, for a command and its attempts.
  void BeginCommand();
  // What came back since BeginCommand, the answer still arriving included.
  const AnswersSeen& Answers();

  // Why the open port stopped working ("" while it works).
  const std::string& PortProblem() const { return port_problem_; }

  // The request the transfers on this line look at before every command; none when null.
  void SetCancel(const CancelToken* cancel) { cancel_ = cancel; }
  bool CancelRequested() const { return cancel_ != nullptr && cancel_->Requested(); }

  Clock& clock() { return clock_; }
  SerialPort& port() { return port_; }

 private:
  CharWait WaitCharFor(std::uint32_t limit_ms);
  // How much of a wait with `left_ms` to go to hand the port at once.
  std::uint32_t WaitPart(std::uint32_t left_ms) const;
  // One notification: the byte or line error that the port delivered.
  void Take(const PortInput& input);
  // Adds what arrived since the last send to the answers seen.
  void JudgeAnswer();

  SerialPort& port_;
  Clock& clock_;
  int port_number_ = 0;
  std::string port_name_;  // set when a device name was chosen instead of a number
  std::string open_name_;  // name of the port while it is open
  std::string port_problem_;
  std::optional<OpenFailure> open_refusal_;
  const CancelToken* cancel_ = nullptr;
  std::function<void()> wait_tick_;

  std::string rx_last_;
  std::string rx_text_;
  LineErrorKind line_error_ = LineErrorKind::kNone;
  std::string last_sent_;

  AnswersSeen answers_;
  bool answer_open_ = false;  // something was sent and its answer not yet judged
  std::string answer_;        // what arrived since, up to kRxTextLimit
  bool answer_line_error_ = false;
};

}  // namespace kestrel::link
