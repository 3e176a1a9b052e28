#include "link/protocol.h"

#include <gtest/gtest.h>

#include <functional>

#include "link/frames.h"
#include "scripted_port.h"

namespace kestrel::link {
namespace {

using testing::kDone;
using testing::Line;
using testing::Plain;
using testing::ResultOf;
using testing::ScriptedPort;

const std::string kGood = Line("12A526");  // 0xA5, checksum 0x26
const std::string kBad = Line("12A527");
// kGood in three pieces, as an adapter that passes bytes in bursts delivers it.
const std::vector<std::string> kBursts = {std::string(1, kSoh) + "12", "A5", "26\r"};

TEST(Frames, GoldenFramesAndHexBytes) {
  std::array<std::uint8_t, 16> data{};
  data[0] = 0xAB;
  data[15] = 0x0F;
  const std::pair<std::string, std::string> frames[] = {
      {ReadBlockText(0x0860), Line("140860CC")},  // SOH and CR are not summed
      {ReadByteText(0x004E), Line("12004EC3")},
      {WriteByteText(0x0400, 0x05), Line("1104000574")},
      {WriteBlockText(0x1000, data), Line("131000AB00000000000000000000000000000FA1")}};
  for (const auto& [text, frame] : frames) EXPECT_EQ(BuildFrame(text), frame) << text;
  EXPECT_EQ(ParseHexByte("cc"), 0xCC);
  EXPECT_EQ(ParseHexByte("c"), std::nullopt);
  EXPECT_EQ(ParseHexByte("g0"), std::nullopt);
}

struct ProtocolTest : ::testing::Test {
  VirtualClock clock;
  ScriptedPort port{clock};
  SerialLine line{port, clock};
  MemoryImage image;

  void SetUp() override {
    line.SetPortNumber(1);
    ASSERT_TRUE(line.OpenPort());
  }
  // The i-th write is answered by answers[i]: its pieces come `spacing` ms apart, and a piece
  // that starts with '*' is the echo of the frame followed at once by the rest.
  void Answer(std::vector<std::vector<std::string>> answers, std::uint32_t spacing = 200) {
    port.on_write = [answers, spacing, n = std::size_t{0}](const std::string& written,
                                                           TimedInput& input) mutable {
      if (n == answers.size()) return;
      std::uint32_t delay = 0;
      for (const std::string& piece : answers[n]) {
        input.PushBytes(delay, piece.starts_with('*') ? written + piece.substr(1) : piece);
        delay += spacing;
      }
      ++n;
    };
  }
};

TEST_F(ProtocolTest, RepliesAcknowledgementsEchoesAndRetries) {
  struct Row {
    const char* name;
    bool write;
    std::vector<std::vector<std::string>> answers;
    std::optional<LinkResult> result;
    std::size_t writes;
    std::uint8_t byte = 0xA5;
    std::uint32_t spacing = 200;
  };
  const Row rows[] = {
      {"verified reply", false, {{kGood}}, kDone, 1},
      {"bad checksum, sent again", false, {{kBad}, {kGood}}, kDone, 2},
      {"echo and reply together", false, {{"*" + kGood}}, kDone, 1},
      {"echo, reply later", false, {{"*", kGood}}, kDone, 1},
      {"lower-case digits", false, {{Line("12abd9")}}, kDone, 1, 0xAB},
      {"two short lines skipped", false, {{"\r", "\r", kGood}}, kDone, 1},
      {"third short line ends it", false, {{"\r", "\r", "\r", kGood}}, kDone, 2},
      // The answer is due 1068 ms after the frame: the per-character time-out, 18 characters and
      // 50 ms for an adapter that passes bytes in bursts.
      {"last burst inside the slack", false, {kBursts}, kDone, 1, 0xA5, 520},
      {"last burst after it", false, {kBursts}, LinkResult::kReadFailed, 3, 0, 535},
      {"two characters are a line", false, {{"\r", "x\r", kGood}}, kDone, 2},
      {"three bad checksums", false, {{kBad}, {kBad}, {kBad}, {kGood}}, LinkResult::kReadFailed, 3},
      {"ACK after CR and CAN", true, {{"\r\x18\x06"}}, kDone, 1},
      {"NAK, other, ACK", true, {{"\r\x15"}, {"A"}, {"\x06"}}, kDone, 3},
      {"echo, then ACK", true, {{"*", "\r\x06"}}, kDone, 1},
      {"echo and NAK, sent again", true, {{"*\x15"}, {"*\x06"}}, kDone, 2},
      {"echo not first", true, {{"\r", "*\x06"}, {"\x06"}}, kDone, 2},
      {"echo cut short", true, {{kSoh + std::string("1\x06")}, {"\x06"}}, kDone, 2},
      {"three NAKs", true, {{"\x15"}, {"\x15"}, {"\x15"}, {"\x06"}}, LinkResult::kWriteFailed, 3}};
  LinkStatus last;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Answer(row.answers, row.spacing);
    port.writes.clear();
    port.input.Clear();
    image.Fill(0);
    last = row.write ? WriteByte(line, image, 0x0010) : ReadByte(line, image, 0x0010);
    EXPECT_EQ(ResultOf(last), row.result);
    ASSERT_FALSE(port.writes.empty());
    EXPECT_EQ(port.writes, std::vector<std::string>(row.writes, port.writes[0]));
    if (!row.write) {
      EXPECT_EQ(image.Byte(0x0010), row.result == kDone ? row.byte : 0);
    }
  }
  EXPECT_EQ(testing::DetailOf(last),
            "The receiver did not acknowledge writing the byte at 0x0010.");
  Answer({{kBad}, {kBad}, {kBad}});
  EXPECT_EQ(Plain(ReadByte(line, image, 0x0123)),
            Failed(LinkResult::kReadFailed, "No valid answer to reading the byte at 0x0123."));
}

TEST_F(ProtocolTest, WrongKindsOfReplyAndBadAddressesStoreNothing) {
  // 38 characters with a good checksum, but the header of a one-byte reply: no retry.
  const std::string body = "12" + std::string(32, '0');
  Answer({{Line(body + HexByte(Checksum(body)))}});
  image.Fill(0x77);
  EXPECT_EQ(Plain(ReadBlock(line, image, 0x0860)),
            Failed(LinkResult::kReadFailed,
                   "The receiver's answer to reading 16 bytes at 0x0860 is not a 16-byte reply."));
  EXPECT_EQ(port.writes.size(), 1u);
  EXPECT_EQ(image.Byte(0x0860), 0x77);

  // A reply with the right header but one byte too many is not a one-byte reply either.
  const std::string longer = "12A5B6";
  Answer({{Line(longer + HexByte(Checksum(longer)))}});
  EXPECT_EQ(ResultOf(ReadByte(line, image, 0x0860)), LinkResult::kReadFailed);
  EXPECT_EQ(image.Byte(0x0860), 0x77);

  // Unaligned blocks and addresses beyond the image are not sent.
  port.writes.clear();
  EXPECT_EQ(ResultOf(ReadBlock(line, image, 0x0861)), LinkResult::kReadFailed);
  EXPECT_EQ(ResultOf(WriteBlock(line, image, 0x0868)), LinkResult::kWriteFailed);
  EXPECT_EQ(ResultOf(ReadBlock(line, image, 0x4EA0)), LinkResult::kReadFailed);
  EXPECT_EQ(ResultOf(ReadByte(line, image, 0x4EA0)), LinkResult::kReadFailed);
  EXPECT_EQ(ResultOf(WriteByte(line, image, 0xFFFF)), LinkResult::kWriteFailed);
  EXPECT_TRUE(port.writes.empty());
}

TEST_F(ProtocolTest, ASilentReceiverFailsReadsInSixSecondsAndWritesInThree) {
  std::uint64_t start = clock.Total();
  EXPECT_EQ(ResultOf(ReadBlock(line, image, 0x0860)), LinkResult::kReadFailed);
  EXPECT_EQ(clock.Total() - start, 3u * (1000 + 40 + 1000));
  start = clock.Total();
  EXPECT_EQ(ResultOf(WriteBlock(line, image, 0x0860)), LinkResult::kWriteFailed);
  EXPECT_EQ(clock.Total() - start, 3u * (1000 + 40));
  start = clock.Total();
  port.writes.clear();
  EXPECT_FALSE(Handshake(line));
  EXPECT_EQ(clock.Total() - start, 3u * (1000 + 40));
  EXPECT_EQ(port.writes, std::vector<std::string>(3, "\x18"));

  port.writes.clear();
  Answer({{""}, {"\x18\x06"}});  // nothing, then an echoed CAN and ACK
  EXPECT_TRUE(Handshake(line));
  EXPECT_EQ(port.writes.size(), 2u);
}

TEST_F(ProtocolTest, ALineThatKeepsDrippingGivesUpWithinTheRetryBudget) {
  // Every frame is answered by one character each 990 ms, for minutes: each restarts the
  // per-character time-out, but the whole answer has to be complete in little over a second. The
  // budget is three attempts of a silent receiver, and the answer's allowance.
  const std::tuple<const char*, char, std::function<bool()>, std::uint64_t> rows[] = {
      {"stray characters, read", 'x', [&] { return !!ReadBlock(line, image, 0x0860); }, 6600},
      {"CRs, read", '\r', [&] { return !!ReadBlock(line, image, 0x0860); }, 6600},
      {"CRs, write", '\r', [&] { return !!WriteBlock(line, image, 0x0860); }, 3600},
      {"CRs, handshake", '\r', [&] { return Handshake(line); }, 3600}};
  for (const auto& [name, drip, command, budget_ms] : rows) {
    SCOPED_TRACE(name);
    port.on_write = [byte = drip](const std::string&, TimedInput& input) {
      input.Clear();
      for (std::uint32_t k = 1; k <= 300; ++k) input.Push(990 * k, PortInput::Byte(byte));
    };
    port.writes.clear();
    line.ClearRxText();
    const std::uint64_t start = clock.Total();
    EXPECT_FALSE(command());
    EXPECT_LE(clock.Total() - start, budget_ms);
    EXPECT_EQ(port.writes.size(), 3u);
  }
}

}  // namespace
}  // namespace kestrel::link
