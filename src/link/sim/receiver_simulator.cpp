#include "link/sim/receiver_simulator.h"

#include <optional>

#include "link/frames.h"

namespace kestrel::link {
namespace {

constexpr char kNak = 0x15;
constexpr std::size_t kLongestFrameText = 2 + 4 + 32 + 2;

std::optional<std::uint16_t> ParseAddress(std::string_view digits) {
  const auto high = ParseHexByte(digits.substr(0, 2));
  const auto low = ParseHexByte(digits.substr(2, 2));
  if (!high || !low) return std::nullopt;
  return static_cast<std::uint16_t>(*high << 8 | *low);
}

std::string DataReply(std::string_view code, std::string_view hex) {
  std::string body = std::string(code) + std::string(hex);
  return std::string(1, kSoh) + body + HexByte(Checksum(body)) + kCr;
}

}  // namespace

ReceiverSimulator::ReceiverSimulator(SimulatorOptions options)
    : options_(options), random_(options.seed) {}

bool ReceiverSimulator::Quiet() {
  if (options_.silent_after < 0 || counts_.Total() < options_.silent_after) return false;
  ++counts_.ignored;
  return true;
}

std::uint32_t ReceiverSimulator::WireMs(std::size_t bytes) const {
  if (options_.baud == 0) return 0;
  return static_cast<std::uint32_t>((bytes * 10 * 1000 + options_.baud - 1) / options_.baud);
}

void ReceiverSimulator::Echo(std::string_view received, std::vector<SimulatorAnswer>& out) {
  if (options_.echo) out.push_back({WireMs(received.size()), std::string(received)});
}

bool ReceiverSimulator::Draw(double rate) {
  if (rate <= 0) return false;
  return std::uniform_real_distribution<double>(0, 1)(random_) < rate;
}

std::vector<SimulatorAnswer> ReceiverSimulator::Take(std::span<const std::uint8_t> bytes) {
  std::vector<SimulatorAnswer> out;
  for (std::uint8_t byte : bytes) {
    const char c = static_cast<char>(byte);
    // Like the receiver, the simulator starts over at every handshake and every SOH, so a frame
    // that was cut off cannot spoil the commands after it.
    if (c == kCan) {
      ResetInput();
      if (Quiet()) {
        Echo(std::string(1, kCan), out);
        continue;
      }
      ++counts_.handshakes;
      Log("handshake");
      Serve(std::string(1, kCan), std::string(1, kAck), out);
      continue;
    }
    if (c == kSoh) {
      in_frame_ = true;
      frame_.clear();
      continue;
    }
    if (!in_frame_) continue;
    if (frame_.size() > kLongestFrameText) {
      ResetInput();  // garbage, not a frame
      continue;
    }
    if (c != kCr) {
      frame_ += c;
      continue;
    }
    in_frame_ = false;
    if (Quiet()) {
      Echo(std::string(1, kSoh) + frame_ + kCr, out);
      continue;
    }
    std::string answer = Answer(frame_);
    if (!answer.empty()) Serve(std::string(1, kSoh) + frame_ + kCr, answer, out);
  }
  return out;
}

void ReceiverSimulator::Serve(std::string_view received, std::string answer,
                              std::vector<SimulatorAnswer>& out) {
  const std::uint32_t arrived_ms = WireMs(received.size());
  Echo(received, out);
  if (!options_.foreign_answer.empty()) {
    out.push_back({arrived_ms + options_.reply_delay_ms, options_.foreign_answer});
    return;
  }
  if (Draw(options_.drop_rate)) return;
  if (options_.drop_every > 0 && ++served_ % options_.drop_every == 0) return;
  if (Draw(options_.corrupt_rate)) {
    if (answer.size() == 1) {
      answer[0] = kNak;
    } else {
      // Flip a bit of the last checksum digit, keeping it a hex digit.
      char& digit = answer[answer.size() - 2];
      digit = digit == '0' ? '1' : '0';
    }
  }
  if (Draw(options_.noise_rate)) answer.insert(0, "#?");
  const bool line_error = Draw(options_.line_error_rate);
  const std::uint32_t delay_ms = arrived_ms + options_.reply_delay_ms + WireMs(answer.size());
  out.push_back({delay_ms, std::move(answer), line_error});
}

std::string ReceiverSimulator::Answer(std::string_view text) {
  const auto reject = [&](const char* why) {
    ++counts_.rejected;
    Log("rejected " + std::string(why));
    return std::string();
  };
  if (text.size() < 8) return reject("short frame");
  const auto checksum = ParseHexByte(text.substr(text.size() - 2));
  const std::string_view body = text.substr(0, text.size() - 2);
  if (!checksum || *checksum != Checksum(body)) return reject("bad checksum");
  const auto address = ParseAddress(body.substr(2, 4));
  if (!address) return reject("bad address");
  const std::string_view code = body.substr(0, 2);
  const std::string_view data = body.substr(6);
  std::string where = HexWord(*address);
  where.insert(where.begin(),
               ' ');  // not " " + ...: g++ 12 warns falsely on that in release builds

  const auto fits = [&](std::size_t length) { return *address + length <= MemoryImage::kSize; };
  if (code == kWriteByteCode && data.size() == 2 && fits(1)) {
    const auto value = ParseHexByte(data);
    if (!value) return reject("bad data");
    memory_.SetByte(*address, *value);
    ++counts_.write_bytes;
    Log("11" + where + " write byte " + HexByte(*value));
    return std::string(1, kAck);
  }
  if (code == kReadByteCode && data.empty() && fits(1)) {
    ++counts_.read_bytes;
    Log("12" + where + " read byte");
    return DataReply(code, HexByte(memory_.Byte(*address)));
  }
  if (code == kWriteBlockCode && data.size() == 32 && fits(16)) {
    std::uint8_t values[16];
    for (std::size_t i = 0; i < 16; ++i) {
      const auto value = ParseHexByte(data.substr(2 * i, 2));
      if (!value) return reject("bad data");
      values[i] = *value;
    }
    for (std::size_t i = 0; i < 16; ++i) memory_.SetByte(*address + i, values[i]);
    ++counts_.write_blocks;
    Log("13" + where + " write 16 bytes");
    return std::string(1, kAck);
  }
  if (code == kReadBlockCode && data.empty() && fits(16)) {
    std::string hex;
    for (std::size_t i = 0; i < 16; ++i) hex += HexByte(memory_.Byte(*address + i));
    ++counts_.read_blocks;
    Log("14" + where + " read 16 bytes");
    return DataReply(code, hex);
  }
  return reject("unknown command");
}

}  // namespace kestrel::link
