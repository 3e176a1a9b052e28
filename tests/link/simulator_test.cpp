#include "link/sim/receiver_simulator.h"

#include <gtest/gtest.h>

#include "link/frames.h"
#include "scripted_port.h"

namespace kestrel::link {
namespace {

using testing::Line;

std::string Send(ReceiverSimulator& receiver, const std::string& bytes) {
  std::string out;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  for (const SimulatorAnswer& answer : receiver.Take(std::span(data, bytes.size()))) {
    out += answer.bytes;
  }
  return out;
}

TEST(ReceiverSimulator, IgnoresBadFramesAndJoinsSplitOnes) {
  ReceiverSimulator receiver;
  receiver.memory().SetByte(0x0123, 0xA5);
  std::array<std::uint8_t, 16> data{};
  data[15] = 0x5A;
  const std::string block = BuildFrame(WriteBlockText(0x4E90, data));
  const std::pair<std::string, std::string> rows[] = {
      {"\x18", "\x06"},
      {block.substr(0, 7), ""},  // a frame split across writes as a line may deliver it
      {block.substr(7), "\x06"},
      {Line("120123FF"), ""},                                      // bad checksum
      {BuildFrame("150010"), ""},                                  // unknown command
      {BuildFrame("1100105"), ""},                                 // short data
      {BuildFrame(ReadBlockText(0x4EA0)), ""},                     // beyond the memory
      {BuildFrame(WriteByteText(0x0123, 0x66)).substr(0, 5), ""},  // cut off by the next frame
      {BuildFrame(ReadByteText(0x0123)), Line("12A526")},
      {BuildFrame(WriteByteText(0x0123, 0x66)).substr(0, 8), ""},  // cut off by a handshake
      {"\x18", "\x06"},
      {BuildFrame(ReadByteText(0x0123)).substr(1), ""},  // no SOH: not a frame
      {BuildFrame(ReadByteText(0x0123)), Line("12A526")}};
  for (const auto& [sent, answer] : rows) EXPECT_EQ(Send(receiver, sent), answer) << sent;
  EXPECT_EQ(receiver.memory().Byte(0x4E9F), 0x5A);
  EXPECT_EQ(receiver.counts().rejected, 4);
  EXPECT_EQ(receiver.counts().Total(), 9);
}

}  // namespace
}  // namespace kestrel::link
