#include "link/time_estimate.h"

#include "link/frames.h"
#include "link/serial_line.h"

namespace kestrel::link {
namespace {

constexpr std::uint64_t kBaud = 38400;
constexpr std::uint64_t kBitsPerByte = 10;
// SOH, code, address, checksum and CR around the data of a frame.
constexpr std::uint64_t kFrameOverhead = 1 + 2 + 4 + 2 + 1;
constexpr std::uint64_t kAckLength = 1;

}  // namespace

std::uint64_t WireCost::Ms() const {
  return commands * kSettleDelayMs + (bytes * kBitsPerByte * 1000 + kBaud - 1) / kBaud;
}

WireCost& WireCost::operator+=(const WireCost& other) {
  commands += other.commands;
  bytes += other.bytes;
  return *this;
}

WireCost& WireCost::operator-=(const WireCost& other) {
  commands = commands > other.commands ? commands - other.commands : 0;
  bytes = bytes > other.bytes ? bytes - other.bytes : 0;
  return *this;
}

WireCost HandshakeCost() {
  return {1, 1 + kAckLength};
}

WireCost CommandCost(const RangeCommand& command, Direction direction) {
  const std::uint64_t data = command.block ? 16 : 1;
  if (direction == Direction::kWrite) return {1, kFrameOverhead + 2 * data + kAckLength};
  return {1, kFrameOverhead + (command.block ? kBlockReplyLength : kByteReplyLength)};
}

WireCost StepCost(std::span<const AddressRange> list, Direction direction) {
  WireCost cost = HandshakeCost();
  for (const AddressRange& range : list) {
    for (const RangeCommand& command : SplitRange(range)) cost += CommandCost(command, direction);
  }
  return cost;
}

std::string TimeLeftText(std::uint64_t ms) {
  const std::uint64_t seconds = (ms + 999) / 1000;
  if (seconds < 60) return std::to_string(seconds) + " s left";
  const std::uint64_t rest = seconds % 60;
  return std::to_string(seconds / 60) + " min " + (rest < 10 ? "0" : "") + std::to_string(rest) +
         " s left";
}

std::string TimeLeftText(std::uint64_t ms, bool waiting) {
  std::string text = TimeLeftText(ms);
  if (waiting) text.append(", waiting for the receiver");
  return text;
}

}  // namespace kestrel::link
