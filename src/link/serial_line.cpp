#include "link/serial_line.h"

#include <algorithm>
#include <span>

namespace kestrel::link {

void SerialLine::SetPortNumber(int number) {
  port_number_ = number;
  port_name_.clear();
}

void SerialLine::SetPortName(std::string name) {
  port_number_ = 0;
  port_name_ = std::move(name);
}

std::string SerialLine::PortName() const {
  if (!port_name_.empty()) return port_name_;
  if (port_number_ == 0) return {};
  return port_.NameForNumber(port_number_);
}

std::expected<void, OpenFailure> SerialLine::OpenPort() {
  if (open_refusal_) return std::unexpected(*open_refusal_);
  const std::string name = PortName();
  if (port_.IsOpen() && name != open_name_) ClosePort();
  if (port_.IsOpen()) {
    port_.SetRts(true);
    return {};
  }
  if (name.empty()) {
    if (port_number_ == 0 && port_name_.empty()) {
      return std::unexpected(OpenFailure("No serial port has been chosen."));
    }
    return std::unexpected(
        OpenFailure("There is no serial port " + std::to_string(port_number_) + ".",
                    FailureCause::kNoSuchPort, {.port = std::to_string(port_number_)}));
  }
  if (auto opened = port_.Open(name); !opened) return opened;
  open_name_ = name;
  port_problem_.clear();
  port_.SetDtr(true);
  port_.SetRts(true);
  return {};
}

bool SerialLine::ClosePort() {
  if (port_.IsOpen()) {
    port_.SetRts(false);
    port_.Close();
  }
  open_name_.clear();
  return true;
}

void SerialLine::SendRaw(std::string_view text) {
  JudgeAnswer();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  port_.Write(std::span(bytes, text.size()));
  last_sent_ = std::string(text);
  answer_open_ = true;
  answer_.clear();
  answer_line_error_ = false;
}

void SerialLine::BeginCommand() {
  answers_ = {};
  answer_open_ = false;
}

const AnswersSeen& SerialLine::Answers() {
  JudgeAnswer();
  return answers_;
}

void SerialLine::JudgeAnswer() {
  if (!answer_open_) return;
  answer_open_ = false;
  std::string_view rest = answer_;
  const bool echoed = !last_sent_.empty() && rest.starts_with(last_sent_);
  if (echoed) rest.remove_prefix(last_sent_.size());
  answers_.line_errors = answers_.line_errors || answer_line_error_;
  if (rest.empty()) {
    ++(echoed ? answers_.echo_only : answers_.silent);
    return;
  }
  if (answers_.sample.empty()) answers_.sample = rest;
  constexpr std::string_view kReceiverMarks = "\x01\x06\x15";  // SOH, ACK, NAK
  constexpr std::string_view kReceiverText = "\x01\x06\x15\x18\r\n0123456789ABCDEF";
  for (const char c : rest) {
    if (kReceiverMarks.find(c) != std::string_view::npos) answers_.receiver_like = true;
    if (kReceiverText.find(c) == std::string_view::npos) answers_.foreign = true;
  }
}

void SerialLine::Take(const PortInput& input) {
  if (input.kind == PortInput::Kind::kTimeout) return;  // not a notification
  line_error_ = LineErrorKind::kNone;
  switch (input.kind) {
    case PortInput::Kind::kByte:
      rx_last_.assign(1, static_cast<char>(input.byte));
      rx_text_ += rx_last_;
      if (answer_.size() < kRxTextLimit) answer_ += rx_last_;
      if (input.error != LineErrorKind::kNone) answer_line_error_ = true;
      if (rx_text_.size() > kRxTextLimit) line_error_ = LineErrorKind::kOther;
      // A line error reported with the byte is the notification that follows it.
      if (input.error != LineErrorKind::kNone) line_error_ = input.error;
      break;
    case PortInput::Kind::kLineError:
      answer_line_error_ = true;
      line_error_ = input.error;
      break;
    case PortInput::Kind::kFailed:
      line_error_ = input.error;
      break;
    case PortInput::Kind::kTimeout:
      break;
  }
}

CharWait SerialLine::WaitChar() {
  return WaitCharFor(kCharTimeoutMs);
}

CharWait SerialLine::WaitCharUntil(Tick deadline) {
  const std::int32_t left = TickUntil(clock_.Now(), deadline);
  if (left <= 0) {
    rx_last_.clear();
    return CharWait::kTimeout;
  }
  return WaitCharFor(std::min(kCharTimeoutMs, static_cast<std::uint32_t>(left)));
}

std::uint32_t SerialLine::WaitPart(std::uint32_t left_ms) const {
  // No part shorter than a tick, so that a wait is never cut into a sliver the trace would
  // take for the settle delay's.
  if (!wait_tick_ || left_ms < 2 * kWaitTickMs) return left_ms;
  return kWaitTickMs;
}

CharWait SerialLine::WaitCharFor(std::uint32_t limit_ms) {
  const Tick start = clock_.Now();
  rx_last_.clear();
  while (rx_last_.empty()) {
    const std::uint32_t elapsed = TickElapsed(start, clock_.Now());
    if (elapsed >= limit_ms) return CharWait::kTimeout;
    const PortInput input = port_.Receive(WaitPart(limit_ms - elapsed));
    if (input.kind == PortInput::Kind::kTimeout && wait_tick_) wait_tick_();
    if (input.kind == PortInput::Kind::kFailed) {
      // A port that stopped working will not deliver anything more: fail the wait at once
      // instead of waiting out the time-out.
      if (port_problem_.empty()) port_problem_ = input.detail;
      line_error_ = LineErrorKind::kNone;
      return CharWait::kLineError;
    }
    Take(input);
  }
  if (line_error_ != LineErrorKind::kNone) {
    line_error_ = LineErrorKind::kNone;
    return CharWait::kLineError;
  }
  return CharWait::kReceived;
}

void SerialLine::SettleDelay() {
  const Tick start = clock_.Now();
  for (;;) {
    const std::uint32_t elapsed = TickElapsed(start, clock_.Now());
    if (elapsed >= kSettleDelayMs) return;
    const PortInput input = port_.Receive(kSettleDelayMs - elapsed);
    if (input.kind == PortInput::Kind::kFailed) {
      if (port_problem_.empty()) port_problem_ = input.detail;
      clock_.Sleep(kSettleDelayMs - elapsed);  // keep the pace without spinning on a dead port
      return;
    }
    Take(input);
  }
}

}  // namespace kestrel::link
