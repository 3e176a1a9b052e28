#include "link/transfer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link/failure_advice.h"
#include "link/link.h"
#include "link/range_lists.h"
#include "link/sim/simulated_receiver_port.h"
#include "link/time_estimate.h"
#include "scripted_port.h"

namespace kestrel::link {
namespace {

using testing::Plain;
using testing::ResultOf;

struct TransferTest : ::testing::Test {
  VirtualClock clock{kTickMask - 5000};  // transfers here run across the tick's wrap
  ReceiverSimulator receiver;
  SimulatedReceiverPort port{receiver, clock};
  Link link{port, clock};
  MemoryImage image;

  void SetUp() override {
    link.SelectPortNumber(1);
    for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
      receiver.memory().SetByte(a, static_cast<std::uint8_t>(a * 7 + 3));
    }
  }
  static std::array<bool, 1000> AllInUse() {
    std::array<bool, 1000> in_use{};
    in_use.fill(true);
    return in_use;
  }
};

TEST_F(TransferTest, WriteRangesWritesTheProgramListAndLeavesTheImage) {
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a)
    image.SetByte(a, static_cast<std::uint8_t>(a));
  const MemoryImage before = image;
  const MemoryImage receiver_before = receiver.memory();
  int last_value = 0;
  std::vector<std::uint64_t> left;
  ASSERT_TRUE(link.WriteRanges(
      image, BuildProgramList(),
      {nullptr, [&](int v) { last_value = v; }, [&](std::uint64_t ms) { left.push_back(ms); }}));
  EXPECT_EQ(last_value, 1008);
  // The time left, at the start and after each of the 1076 commands: 1030 blocks of 42 bytes
  // and 46 single bytes of 12, each with its ACK, at 10 bits a byte and 38400 baud, plus the
  // 40 ms settle delay of each command.
  ASSERT_EQ(left.size(), 1u + 1076);
  EXPECT_EQ(left.front(), 1076 * 40 + (1030 * 43 + 46 * 13) * 10000 / 38400 + 1);
  EXPECT_EQ(left.back(), 0u);
  EXPECT_TRUE(std::is_sorted(left.rbegin(), left.rend()));
  EXPECT_EQ(TimeLeftText(left.front()), "55 s left");
  EXPECT_EQ(TimeLeftText(125001), "2 min 06 s left");
  EXPECT_EQ(image, before);
  // 2 + (2 blocks, 3) + (12, 1) + 2 x (1, 6) + 2 x (7, 13) + 2 + 1000 blocks
  EXPECT_EQ(receiver.counts().write_blocks, 2 + 12 + 2 + 14 + 1000);
  EXPECT_EQ(receiver.counts().write_bytes, 2 + 3 + 1 + 12 + 26 + 2);
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
    const bool written = a <= 0x0001 || (a >= 0x0010 && a <= 0x0011) ||
                         (a >= 0x0300 && a <= 0x0322) || (a >= 0x0340 && a <= 0x0400) ||
                         (a >= 0x0820 && a <= 0x0835) || (a >= 0x0840 && a <= 0x0855) ||
                         (a >= 0x0860 && a <= 0x08DC) || (a >= 0x08E0 && a <= 0x095C) ||
                         (a >= 0x1000 && a <= 0x4E7F);
    ASSERT_EQ(receiver.memory().Byte(a), written ? image.Byte(a) : receiver_before.Byte(a)) << a;
  }
}

TEST_F(TransferTest, AnAdapterUnpluggedAtTheFirstChannelFailsPromptlyWithEverySlotFilled) {
  image.Fill(0x00);
  int progress = -1;
  std::uint64_t unplugged = 0;
  const auto unplug_after_the_fixed_entries = [&](int v) {
    progress = v;
    if (v != 32) return;
    port.Unplug();
    unplugged = clock.Total();
  };
  const LinkStatus read =
      link.ReadRanges(image, BuildReadList(AllInUse()), {nullptr, unplug_after_the_fixed_entries});
  EXPECT_LT(clock.Total() - unplugged, 1000u);  // no time-outs
  EXPECT_EQ(progress, 32);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(image.Byte(0x0300), receiver.memory().Byte(0x0300));
  for (std::size_t a = 0x1000; a < MemoryImage::kSize; ++a) ASSERT_EQ(image.Byte(a), 0xFF) << a;
  EXPECT_EQ(Plain(read), Failed(LinkResult::kReadFailed,
                                "No valid answer to reading 16 bytes at 0x1000. "
                                "The serial adapter was removed."));
}

TEST_F(TransferTest, APortThatCannotOpenIsCode1InAPrecheckAnd2Or3InALoop) {
  port.SetOpenFailure(std::string("sim1 is in use by another program."));
  EXPECT_EQ(Plain(link.ReadPrecheck(image)),
            Failed(LinkResult::kPortUnavailable, "sim1 is in use by another program."));
  EXPECT_EQ(ResultOf(link.ProgramPrecheck(image)), LinkResult::kPortUnavailable);
  image.Fill(0x12);
  EXPECT_EQ(ResultOf(link.ReadRanges(image, BuildProgramList())), LinkResult::kReadFailed);
  EXPECT_EQ(image.Byte(0), 0x12);  // not filled before the port and handshake succeed
  EXPECT_EQ(ResultOf(link.WriteRanges(image, BuildProgramList())), LinkResult::kWriteFailed);
  EXPECT_EQ(receiver.counts().Total(), 0);
  link.SelectPortNumber(7);
  EXPECT_EQ(Plain(link.ProgramPrecheck(image)),
            Failed(LinkResult::kPortUnavailable, "There is no serial port 7."));
  EXPECT_EQ(link.ProgramPrecheck(image).error().cause, FailureCause::kNoSuchPort);
}

TEST_F(TransferTest, LateSilentAndEchoingReceivers) {
  receiver.SetRegionCode(0x02);
  receiver.options().reply_delay_ms = 999;
  EXPECT_TRUE(link.ProgramPrecheck(image));
  EXPECT_EQ(image.Byte(0x005E), 0x02);
  EXPECT_EQ(image.Byte(0x0050), receiver.memory().Byte(0x0050));
  EXPECT_EQ(image.Byte(0x0060), 0);  // only the region block is read
  receiver.options().reply_delay_ms = 1000;
  EXPECT_EQ(ResultOf(link.ProgramPrecheck(image)), LinkResult::kReadFailed);

  receiver.options() = {.silent_after = 0};
  EXPECT_EQ(Plain(link.ReadPrecheck(image)),
            Failed(LinkResult::kReadFailed, "The receiver did not answer the handshake."));
  EXPECT_EQ(ResultOf(link.WriteRanges(image, BuildProgramList())), LinkResult::kWriteFailed);
  EXPECT_FALSE(port.IsOpen());

  receiver.options() = {.echo = true};
  EXPECT_TRUE(link.ReadPrecheck(image));
  EXPECT_EQ(image.Byte(0x08DF), receiver.memory().Byte(0x08DF));
  // The echo of each write frame comes before its acknowledgement.
  EXPECT_TRUE(link.WriteRanges(image, BuildProgramList()));
}

TEST_F(TransferTest, RetriesRideOutAnUnreliableReceiver) {
  receiver.options() = {.drop_rate = 0.02, .corrupt_rate = 0.02, .noise_rate = 0.02, .seed = 7};
  const LinkStatus read = link.ReadRanges(image, BuildReadList(AllInUse()));
  ASSERT_TRUE(read) << testing::DetailOf(read);
  EXPECT_EQ(image.Byte(0x4E7F), receiver.memory().Byte(0x4E7F));
  EXPECT_GT(receiver.counts().read_blocks, 1000 + 31);  // some commands were sent again
  EXPECT_TRUE(link.WriteRanges(image, BuildProgramList()));
}

TEST_F(TransferTest, ALineErrorFailsTheAttemptAlwaysOrNowAndThen) {
  receiver.options() = {.line_error_rate = 1};
  receiver.ResetCounts();
  EXPECT_EQ(ResultOf(link.ProgramPrecheck(image)), LinkResult::kReadFailed);
  EXPECT_EQ(receiver.counts().handshakes, 3);
  receiver.options() = {.line_error_rate = 0.3, .seed = 3};
  receiver.ResetCounts();
  EXPECT_TRUE(link.ReadPrecheck(image));
  EXPECT_GT(receiver.counts().Total(), 9);
}

// What the receiver did, or did not, decides the cause; the advice under the message names it
// and its fix.
TEST_F(TransferTest, EachWayOfNotAnsweringHasItsCauseAndFix) {
  struct Row {
    void (*receiver)(SimulatorOptions&);  // set on options left as they start
    bool write;
    FailureCause cause;
    RepliesSeen replies;
    std::string advice;
  };
  const Row rows[] = {
      {[](SimulatorOptions& o) { o.silent_after = 0; }, false, FailureCause::kNoAnswer,
       RepliesSeen::kNone,
       "The receiver on sim1 did not answer.\nCheck that it is switched on, that the cable is "
       "plugged into its data socket, and that sim1 is the port the cable is on (choose it with "
       "--port). No serial port exists now."},
      {[](SimulatorOptions& o) { o.silent_after = 10; }, true, FailureCause::kStoppedAnswering,
       RepliesSeen::kNone,
       "The receiver on sim1 stopped answering after 9 of 1076 commands were acknowledged.\nThe "
       "cable may have come loose or the receiver's battery run low: check both, then write "
       "again; until then the receiver holds a partly written configuration. With --image-out "
       "STATE.bin kept, --changes-from STATE.bin writes only the rest."},
      {[](SimulatorOptions& o) { o.echo = true, o.silent_after = 0; }, false,
       FailureCause::kForeignReplies, RepliesSeen::kEcho,
       "Everything sent to sim1 came back as it was, and nothing else answered: the cable "
       "echoes"},
      {[](SimulatorOptions& o) { o.foreign_answer = "OK\r\n"; }, false,
       FailureCause::kForeignReplies, RepliesSeen::kWrongDevice,
       "What answers on sim1 is not a receiver (it sent \"OK<0D><0A>\"): another device is on "
       "this port.\nChoose the port the receiver's cable is on with --port."},
      {[](SimulatorOptions& o) { o.corrupt_rate = 1; }, false, FailureCause::kForeignReplies,
       RepliesSeen::kNoise, "The receiver's answers on sim1 arrive damaged"},
  };
  for (const Row& row : rows) {
    receiver.options() = {};
    row.receiver(receiver.options());
    receiver.ResetCounts();
    const LinkStatus status =
        row.write ? link.WriteRanges(image, BuildProgramList()) : link.ReadPrecheck(image);
    ASSERT_FALSE(status) << row.advice;
    EXPECT_EQ(status.error().cause, row.cause) << row.advice;
    EXPECT_EQ(status.error().facts.replies, row.replies) << row.advice;
    EXPECT_NE(ResultText(status.error()).find("\n" + row.advice), std::string::npos)
        << ResultText(status.error());
  }
}

}  // namespace
}  // namespace kestrel::link
