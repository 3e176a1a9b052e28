#include "link/protocol.h"

#include <gtest/gtest.h>

#include "link/frames.h"
#include "scripted_port.h"

namespace kestrel::link {
namespace {

using testing::Replies;
using testing::ScriptedPort;

const std::string kReadByteReply =
    "\x01"
    "12A526\r";  // 0xA5, checksum 0x26

struct ProtocolTest : ::testing::Test {
  VirtualClock clock;
  ScriptedPort port{clock};
  SerialLine line{port, clock};
  MemoryImage image;

  void SetUp() override {
    line.SetPortNumber(1);
    ASSERT_TRUE(line.OpenPort());
  }
  std::uint64_t Elapsed(std::uint64_t since) const { return clock.Total() - since; }
};

TEST(Frames, GoldenFramesAndChecksums) {
  EXPECT_EQ(BuildFrame(ReadBlockText(0x0860)),
            "\x01"
            "140860CC\r");
  EXPECT_EQ(Checksum("140860"), 0xCC);  // SOH and CR are not summed
  EXPECT_EQ(BuildFrame(ReadByteText(0x004E)),
            "\x01"
            "12004E" +
                HexByte(Checksum("12004E")) + "\r");
  std::array<std::uint8_t, 16> data{};
  data[0] = 0xAB;
  data[15] = 0x0F;
  const std::string block = WriteBlockText(0x1000, data);
  EXPECT_EQ(block, "131000AB00000000000000000000000000000F");
  EXPECT_EQ(BuildFrame(block).size(), 42u);
  EXPECT_EQ(WriteByteText(0x0400, 0x05), "11040005");

  EXPECT_TRUE(ReplyChecksumOk(kReadByteReply));
  EXPECT_FALSE(
      ReplyChecksumOk("\x01"
                      "12A527\r"));
  EXPECT_EQ(ParseHexByte("cc"), 0xCC);
  EXPECT_EQ(ParseHexByte("c"), std::nullopt);
  EXPECT_EQ(ParseHexByte("g0"), std::nullopt);
  EXPECT_FALSE(ReplyChecksumOk("\r\r"));
}

TEST_F(ProtocolTest, ReadByteStoresAVerifiedReplyAndRetriesABadChecksum) {
  port.on_write =
      Replies({"\x01"
               "12A527\r",
               kReadByteReply});
  EXPECT_EQ(ReadByte(line, image, 0x0123), LinkResult::kSuccess);
  EXPECT_EQ(image.Byte(0x0123), 0xA5);
  ASSERT_EQ(port.writes.size(), 2u);
  EXPECT_EQ(port.writes[0], port.writes[1]);
  EXPECT_EQ(port.writes[0], BuildFrame("120123"));
}

TEST_F(ProtocolTest, RepliesWithAndWithoutEchoAndInEitherCase) {
  const std::string frame = BuildFrame(ReadByteText(0x0010));
  // The echo line and the reply arrive together, or the reply comes after the settle delay.
  port.on_write = Replies({frame + kReadByteReply});
  EXPECT_EQ(ReadByte(line, image, 0x0010), LinkResult::kSuccess);
  port.on_write = [&](const std::string& written, TimedInput& input) {
    input.PushBytes(0, written);
    input.PushBytes(200,
                    "\x01"
                    "12C3" +
                        HexByte(Checksum("12C3")) + "\r");
  };
  EXPECT_EQ(ReadByte(line, image, 0x0011), LinkResult::kSuccess);
  EXPECT_EQ(image.Byte(0x0011), 0xC3);
  // Lower-case data and checksum digits: "12" "c3" checksum 0x?? in lower case.
  std::string lower = "12c3";
  std::string sum = HexByte(Checksum(lower));
  for (char& c : sum) c = static_cast<char>(std::tolower(c));
  port.on_write = Replies({"\x01" + lower + sum + "\r"});
  EXPECT_EQ(ReadByte(line, image, 0x0012), LinkResult::kSuccess);
  EXPECT_EQ(image.Byte(0x0012), 0xC3);
  EXPECT_EQ(port.writes.size(), 3u);
}

TEST_F(ProtocolTest, ShortLinesAreSkippedTwiceAndFailTheThirdTime) {
  std::string reply;
  SendFrame(line, ReadByteText(0));
  port.input.PushBytes(0, "\r");
  port.input.PushBytes(100, "x\r");  // one character and CR: a line of 2, not short
  port.input.PushBytes(200, kReadByteReply);
  EXPECT_FALSE(ReceiveReply(line, reply));  // "x\r" has no checksum to match
  SendFrame(line, ReadByteText(0));
  port.input.Clear();
  port.input.PushBytes(0, "\r");
  port.input.PushBytes(100, "\r");
  port.input.PushBytes(200, kReadByteReply);
  EXPECT_TRUE(ReceiveReply(line, reply));
  EXPECT_EQ(reply, kReadByteReply);

  SendFrame(line, ReadByteText(0));
  port.input.PushBytes(0, "\r");
  port.input.PushBytes(100, "\r");
  port.input.PushBytes(200, "\r");
  port.input.PushBytes(300, kReadByteReply);
  EXPECT_FALSE(ReceiveReply(line, reply));
}

TEST_F(ProtocolTest, AcknowledgementSkipsCrAndCanOnly) {
  port.on_write = Replies({"\r\x18\x06"});
  EXPECT_TRUE(SendCommand(line, WriteByteText(0, 0)));
  EXPECT_EQ(port.writes.size(), 1u);

  port.writes.clear();
  port.on_write = Replies({"\r\x15", "A", "\x06"});
  EXPECT_TRUE(SendCommand(line, WriteByteText(0, 0)));
  EXPECT_EQ(port.writes.size(), 3u);

  port.writes.clear();
  port.on_write = Replies({"\x15", "\x15", "\x15", "\x06"});
  EXPECT_EQ(WriteByte(line, image, 0), LinkResult::kWriteFailed);
  EXPECT_EQ(port.writes.size(), 3u);
  EXPECT_EQ(line.FailureDetail(), "The receiver did not acknowledge writing the byte at 0x0000.");
}

TEST_F(ProtocolTest, AWellFormedReplyOfTheWrongKindFailsAtOnce) {
  // 38 characters with a good checksum, but the header of a one-byte reply.
  const std::string body = "12" + std::string(32, '0');
  port.on_write = Replies({"\x01" + body + HexByte(Checksum(body)) + "\r"});
  image.Fill(0x77);
  EXPECT_EQ(ReadBlock(line, image, 0x0860), LinkResult::kReadFailed);
  EXPECT_EQ(port.writes.size(), 1u);
  EXPECT_EQ(image.Byte(0x0860), 0x77);  // nothing stored
}

TEST_F(ProtocolTest, UnalignedBlocksAndAddressesBeyondTheImageSendNothing) {
  EXPECT_EQ(ReadBlock(line, image, 0x0861), LinkResult::kReadFailed);
  EXPECT_EQ(WriteBlock(line, image, 0x0868), LinkResult::kWriteFailed);
  EXPECT_EQ(ReadBlock(line, image, 0x4EA0), LinkResult::kReadFailed);
  EXPECT_EQ(ReadByte(line, image, 0x4EA0), LinkResult::kReadFailed);
  EXPECT_EQ(WriteByte(line, image, 0xFFFF), LinkResult::kWriteFailed);
  EXPECT_TRUE(port.writes.empty());
}

TEST_F(ProtocolTest, ASilentReceiverFailsReadsInSixSecondsAndWritesInThree) {
  std::uint64_t start = clock.Total();
  EXPECT_EQ(ReadBlock(line, image, 0x0860), LinkResult::kReadFailed);
  EXPECT_EQ(Elapsed(start), 3u * (1000 + 40 + 1000));
  EXPECT_EQ(port.writes.size(), 3u);

  start = clock.Total();
  EXPECT_EQ(WriteBlock(line, image, 0x0860), LinkResult::kWriteFailed);
  EXPECT_EQ(Elapsed(start), 3u * (1000 + 40));

  start = clock.Total();
  port.writes.clear();
  EXPECT_FALSE(Handshake(line));
  EXPECT_EQ(Elapsed(start), 3u * (1000 + 40));
  EXPECT_EQ(port.writes, std::vector<std::string>(3, "\x18"));
}

TEST_F(ProtocolTest, HandshakeIsTheLoneCanAnsweredByAck) {
  port.on_write = Replies({"", "\x18\x06"});  // nothing, then an echoed CAN and ACK
  EXPECT_TRUE(Handshake(line));
  EXPECT_EQ(port.writes.size(), 2u);
  EXPECT_EQ(line.LastSent(), "\x18");
}

}  // namespace
}  // namespace kestrel::link
