#include "link/protocol.h"

#include <array>

#include "link/frames.h"

namespace kestrel::link {
namespace {

bool Fits(std::uint16_t address, std::size_t length) {
  return address + length <= MemoryImage::kSize;
}

bool Aligned(std::uint16_t address) {
  return (address & 0xFFF0) == address;
}

// Reads `count` hex pairs starting at `offset` of the reply; all or nothing.
template <std::size_t N>
bool ParseData(const std::string& reply, std::size_t offset, std::array<std::uint8_t, N>& out) {
  for (std::size_t i = 0; i < N; ++i) {
    const auto value = ParseHexByte(std::string_view(reply).substr(offset + 2 * i, 2));
    if (!value) return false;
    out[i] = *value;
  }
  return true;
}

bool HasHeader(const std::string& reply, std::size_t length, std::string_view code) {
  return reply.size() == length && reply[0] == kSoh && reply.compare(1, 2, code) == 0;
}

// When the answer to what was just sent must be complete; see kAnswerSlackMs.
Tick AnswerDeadline(SerialLine& line, std::size_t answer_length) {
  const auto characters = static_cast<std::uint32_t>(line.LastSent().size() + answer_length);
  return TickAdd(line.clock().Now(),
                 kCharTimeoutMs + kAnswerSlackMs + characters * kAnswerMsPerCharacter);
}

std::string At(std::uint16_t address) {
  return " at 0x" + HexWord(address);
}

// What failed, and why the port stopped working when it did, for the user to read.
std::unexpected<LinkFailure> CommandFailed(SerialLine& line, LinkResult code, std::string what) {
  if (!line.PortProblem().empty()) what += " " + line.PortProblem();
  LinkFailure failure{code, std::move(what)};
  ExplainNoAnswer(line, failure);
  return std::unexpected(std::move(failure));
}

}  // namespace

void ExplainNoAnswer(SerialLine& line, LinkFailure& failure) {
  failure.facts.port = line.PortName();
  if (!line.PortProblem().empty()) {
    failure.cause = FailureCause::kNoSuchPort;
    return;
  }
  const AnswersSeen& seen = line.Answers();
  // A device that is not a receiver never sends what a receiver does; a noisy line mixes stray
  // bytes or errors into what still looks like the receiver's answers.
  RepliesSeen replies = RepliesSeen::kNone;
  if (seen.foreign && !seen.receiver_like && !seen.line_errors) {
    replies = RepliesSeen::kWrongDevice;
  } else if (seen.foreign || seen.receiver_like || seen.line_errors) {
    replies = RepliesSeen::kNoise;
  } else if (seen.echo_only > 0) {
    replies = RepliesSeen::kEcho;
  }
  if (replies == RepliesSeen::kNone) {
    failure.cause = FailureCause::kNoAnswer;
    return;
  }
  failure.cause = FailureCause::kForeignReplies;
  failure.facts.replies = replies;
  failure.facts.sample = seen.sample;
}

void SendFrame(SerialLine& line, std::string_view command_text) {
  const std::string frame = BuildFrame(command_text);
  line.ClearRxLast();
  line.ClearRxText();
  line.SendRaw(frame);
}

bool WaitAck(SerialLine& line) {
  // A cable that echoes repeats the frame before the receiver answers. That echo, arriving whole
  // and first, is passed over as the reply path drops it; any other character fails.
  const std::string& sent = line.LastSent();
  const Tick deadline = AnswerDeadline(line, 1);
  std::size_t received = 0;
  std::size_t echoed = 0;
  bool acknowledged = false;
  for (;;) {
    if (line.WaitCharUntil(deadline) != CharWait::kReceived) break;
    const char c = line.RxLast()[0];
    if (echoed == received++ && echoed < sent.size() && c == sent[echoed]) {
      ++echoed;
      continue;
    }
    if (echoed > 0 && echoed < sent.size()) break;  // the echo broke off
    if (c == kAck) {
      acknowledged = true;
      break;
    }
    if (c != kCr && c != kCan) break;
  }
  line.SettleDelay();
  return acknowledged;
}

bool ReceiveReply(SerialLine& line, std::size_t reply_length, std::string& reply) {
  const Tick deadline = AnswerDeadline(line, reply_length);
  int short_lines = 0;
  for (;;) {
    line.ClearRxText();
    reply.clear();
    do {
      if (line.WaitCharUntil(deadline) != CharWait::kReceived) {
        line.SettleDelay();
        line.WaitChar();
        return false;
      }
    } while (line.RxLast()[0] != kCr);
    line.SettleDelay();

    const std::string& text = line.RxText();
    const std::string& sent = line.LastSent();
    reply = text.starts_with(sent) ? text.substr(sent.size()) : text;
    if (reply.size() < 2) {
      if (++short_lines == kShortLinesAllowed) return false;
      continue;
    }
    return ReplyChecksumOk(reply);
  }
}

bool QueryCommand(SerialLine& line, std::string_view command_text, std::size_t reply_length,
                  std::string& reply) {
  line.BeginCommand();
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    SendFrame(line, command_text);
    if (ReceiveReply(line, reply_length, reply)) return true;
  }
  return false;
}

bool SendCommand(SerialLine& line, std::string_view command_text) {
  line.BeginCommand();
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    SendFrame(line, command_text);
    if (WaitAck(line)) return true;
  }
  return false;
}

bool Handshake(SerialLine& line) {
  line.BeginCommand();
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    line.ClearRxLast();
    line.SendRaw(std::string(1, kCan));
    if (WaitAck(line)) return true;
  }
  return false;
}

LinkStatus ReadByte(SerialLine& line, MemoryImage& image, std::uint16_t address) {
  if (!Fits(address, 1)) return Failed(LinkResult::kReadFailed);
  std::string reply;
  std::array<std::uint8_t, 1> data{};
  if (!QueryCommand(line, ReadByteText(address), kByteReplyLength, reply)) {
    return CommandFailed(line, LinkResult::kReadFailed,
                         "No valid answer to reading the byte" + At(address) + ".");
  }
  if (!HasHeader(reply, kByteReplyLength, kReadByteCode) || !ParseData(reply, 3, data)) {
    return CommandFailed(
        line, LinkResult::kReadFailed,
        "The receiver's answer to reading the byte" + At(address) + " is not a one-byte reply.");
  }
  image.SetByte(address, data[0]);
  return {};
}

LinkStatus ReadBlock(SerialLine& line, MemoryImage& image, std::uint16_t address) {
  if (!Aligned(address) || !Fits(address, 16)) return Failed(LinkResult::kReadFailed);
  std::string reply;
  std::array<std::uint8_t, 16> data{};
  if (!QueryCommand(line, ReadBlockText(address), kBlockReplyLength, reply)) {
    return CommandFailed(line, LinkResult::kReadFailed,
                         "No valid answer to reading 16 bytes" + At(address) + ".");
  }
  if (!HasHeader(reply, kBlockReplyLength, kReadBlockCode) || !ParseData(reply, 3, data)) {
    return CommandFailed(
        line, LinkResult::kReadFailed,
        "The receiver's answer to reading 16 bytes" + At(address) + " is not a 16-byte reply.");
  }
  for (std::size_t i = 0; i < data.size(); ++i) image.SetByte(address + i, data[i]);
  return {};
}

LinkStatus WriteByte(SerialLine& line, const MemoryImage& image, std::uint16_t address) {
  if (!Fits(address, 1)) return Failed(LinkResult::kWriteFailed);
  if (!SendCommand(line, WriteByteText(address, image.Byte(address)))) {
    return CommandFailed(line, LinkResult::kWriteFailed,
                         "The receiver did not acknowledge writing the byte" + At(address) + ".");
  }
  return {};
}

LinkStatus WriteBlock(SerialLine& line, const MemoryImage& image, std::uint16_t address) {
  if (!Aligned(address) || !Fits(address, 16)) return Failed(LinkResult::kWriteFailed);
  const auto data = image.Bytes().subspan(address).first<16>();
  if (!SendCommand(line, WriteBlockText(address, data))) {
    return CommandFailed(line, LinkResult::kWriteFailed,
                         "The receiver did not acknowledge writing 16 bytes" + At(address) + ".");
  }
  return {};
}

}  // namespace kestrel::link
