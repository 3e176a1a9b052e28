#include "link/sim/receiver_simulator.h"

#include <gtest/gtest.h>

#include "link/frames.h"

namespace kestrel::link {
namespace {

std::string Send(ReceiverSimulator& receiver, const std::string& bytes) {
  std::string out;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  for (const SimulatorAnswer& answer : receiver.Take(std::span(data, bytes.size()))) {
    out += answer.bytes;
  }
  return out;
}

TEST(ReceiverSimulator, AnswersTheHandshakeAndTheFourCommands) {
  ReceiverSimulator receiver;
  EXPECT_EQ(Send(receiver, "\x18"), "\x06");
  EXPECT_EQ(Send(receiver, BuildFrame(WriteByteText(0x0123, 0xA5))), "\x06");
  EXPECT_EQ(Send(receiver, BuildFrame(ReadByteText(0x0123))),
            "\x01"
            "12A526\r");
  std::array<std::uint8_t, 16> data{};
  for (std::size_t i = 0; i < 16; ++i) data[i] = static_cast<std::uint8_t>(0xF0 + i);
  // Split across writes as a line may deliver it.
  const std::string frame = BuildFrame(WriteBlockText(0x4E90, data));
  EXPECT_EQ(Send(receiver, frame.substr(0, 7)), "");
  EXPECT_EQ(Send(receiver, frame.substr(7)), "\x06");
  const std::string body = "14F0F1F2F3F4F5F6F7F8F9FAFBFCFDFEFF";
  EXPECT_EQ(Send(receiver, BuildFrame(ReadBlockText(0x4E90))),
            "\x01" + body + HexByte(Checksum(body)) + "\r");
  EXPECT_EQ(receiver.memory().Byte(0x4E9F), 0xFF);

  const SimulatorCounts& counts = receiver.counts();
  EXPECT_EQ(counts.handshakes, 1);
  EXPECT_EQ(counts.write_bytes, 1);
  EXPECT_EQ(counts.read_bytes, 1);
  EXPECT_EQ(counts.write_blocks, 1);
  EXPECT_EQ(counts.read_blocks, 1);
  EXPECT_EQ(counts.rejected, 0);
}

TEST(ReceiverSimulator, IgnoresBadFrames) {
  ReceiverSimulator receiver;
  receiver.memory().SetByte(0x0010, 0x55);
  EXPECT_EQ(Send(receiver,
                 "\x01"
                 "120010FF\r"),
            "");                                                     // bad checksum
  EXPECT_EQ(Send(receiver, BuildFrame("150010")), "");               // unknown command
  EXPECT_EQ(Send(receiver, BuildFrame("1100105")), "");              // short data
  EXPECT_EQ(Send(receiver, BuildFrame(ReadBlockText(0x4EA0))), "");  // beyond the memory
  EXPECT_EQ(Send(receiver, BuildFrame(WriteByteText(0x0010, 0x66)).substr(0, 5)), "");
  EXPECT_EQ(Send(receiver, BuildFrame(ReadByteText(0x0010))),
            "\x01"
            "1255" +
                HexByte(Checksum("1255")) + "\r");
  EXPECT_EQ(receiver.counts().rejected, 4);
  EXPECT_EQ(receiver.memory().Byte(0x0010), 0x55);  // the cut-off write never happened
}

TEST(ReceiverSimulator, SwitchesAndFaults) {
  ReceiverSimulator receiver({.echo = true, .reply_delay_ms = 30});
  receiver.SetRegionCode(3);
  receiver.SetCheckSwitch(1);
  EXPECT_EQ(receiver.memory().Byte(kRegionCodeAddress), 3);
  const std::string frame = BuildFrame(ReadByteText(kCheckSwitchAddress));
  const auto* data = reinterpret_cast<const std::uint8_t*>(frame.data());
  const auto answers = receiver.Take(std::span(data, frame.size()));
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0].bytes, frame);
  EXPECT_EQ(answers[0].delay_ms, 0u);
  EXPECT_EQ(answers[1].bytes,
            "\x01"
            "1201" +
                HexByte(Checksum("1201")) + "\r");
  EXPECT_EQ(answers[1].delay_ms, 30u);

  ReceiverSimulator corrupt({.corrupt_rate = 1});
  EXPECT_EQ(Send(corrupt, "\x18"), "\x15");
  EXPECT_FALSE(ReplyChecksumOk(Send(corrupt, BuildFrame(ReadByteText(0)))));
  ReceiverSimulator noisy({.noise_rate = 1});
  EXPECT_EQ(Send(noisy, "\x18"), "#?\x06");
  ReceiverSimulator dropping({.drop_rate = 1});
  EXPECT_EQ(Send(dropping, "\x18"), "");

  ReceiverSimulator quiet({.silent_after = 2});
  EXPECT_EQ(Send(quiet, "\x18\x18\x18"), "\x06\x06");
  EXPECT_EQ(Send(quiet, BuildFrame(WriteByteText(0, 1))), "");
  EXPECT_EQ(quiet.memory().Byte(0), 0);
  EXPECT_EQ(quiet.counts().ignored, 2);
}

}  // namespace
}  // namespace kestrel::link
