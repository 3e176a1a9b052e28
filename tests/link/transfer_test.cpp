#include "link/transfer.h"

#include <gtest/gtest.h>

#include "link/link.h"
#include "link/sim/simulated_receiver_port.h"

namespace kestrel::link {
namespace {

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
  void MarkInUse(int channel) {
    const std::size_t i = static_cast<std::size_t>(channel - 1);
    auto& memory = receiver.memory();
    memory.SetByte(0x0860 + i / 8,
                   static_cast<std::uint8_t>(memory.Byte(0x0860 + i / 8) | 1 << (i % 8)));
  }
};

TEST_F(TransferTest, ReadPrecheckThenReadRangesFetchTheListedRanges) {
  for (std::size_t a = 0x0860; a <= 0x08DF; ++a) receiver.memory().SetByte(a, 0);
  MarkInUse(1);
  MarkInUse(1000);
  ASSERT_EQ(link.ReadPrecheck(image), LinkResult::kSuccess);
  EXPECT_EQ(receiver.counts().handshakes, 1);
  EXPECT_EQ(receiver.counts().read_blocks, 8);
  EXPECT_FALSE(port.IsOpen());
  for (std::size_t a = 0x0860; a <= 0x08DF; ++a)
    EXPECT_EQ(image.Byte(a), receiver.memory().Byte(a));

  const auto list = BuildReadList(ChannelsInUse(image));
  ASSERT_EQ(list.size(), 34u);
  std::vector<std::string> progress;
  const Progress report{[&](int max) { progress.push_back("range " + std::to_string(max)); },
                        [&](int value) { progress.push_back(std::to_string(value)); }};
  receiver.ResetCounts();
  ASSERT_EQ(link.ReadRanges(image, list, report), LinkResult::kSuccess);
  EXPECT_FALSE(port.IsOpen());
  ASSERT_EQ(progress.size(), 35u);
  EXPECT_EQ(progress.front(), "range 34");
  EXPECT_EQ(progress[1], "1");
  EXPECT_EQ(progress.back(), "34");

  std::size_t covered = 0;
  for (const AddressRange& range : list) {
    for (std::int32_t a = range.first; a <= range.last; ++a, ++covered) {
      ASSERT_EQ(image.Byte(a), receiver.memory().Byte(a)) << a;
    }
  }
  EXPECT_EQ(image.Byte(0x0000), 0xFF);  // not listed: filled
  EXPECT_EQ(image.Byte(0x1010), 0xFF);  // channel 2 not in use
  const SimulatorCounts& counts = receiver.counts();
  EXPECT_EQ(counts.read_blocks * 16 + counts.read_bytes, static_cast<int>(covered));
  EXPECT_EQ(counts.write_blocks + counts.write_bytes + counts.rejected, 0);
}

TEST_F(TransferTest, WriteRangesWritesTheProgramListAndLeavesTheImage) {
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a)
    image.SetByte(a, static_cast<std::uint8_t>(a));
  const MemoryImage before = image;
  const MemoryImage receiver_before = receiver.memory();
  int last_value = 0;
  ASSERT_EQ(link.WriteRanges(image, BuildProgramList(), {nullptr, [&](int v) { last_value = v; }}),
            LinkResult::kSuccess);
  EXPECT_EQ(last_value, 1008);
  EXPECT_EQ(image, before);
  // 2 + (2 blocks, 3) + (12, 1) + 2 x (1, 6) + 2 x (7, 13) + 2 + 1000 blocks
  EXPECT_EQ(receiver.counts().write_blocks, 2 + 12 + 2 + 14 + 1000);
  EXPECT_EQ(receiver.counts().write_bytes, 2 + 3 + 1 + 12 + 26 + 2);
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
    const bool written =
        a <= 0x0001 || (a >= 0x0010 && a <= 0x0011) || (a >= 0x0300 && a <= 0x0322) ||
        (a >= 0x0340 && a <= 0x0400) || (a >= 0x0820 && a <= 0x0835) ||
        (a >= 0x0840 && a <= 0x0855) ||
        (a >= 0x0860 && a <= 0x095C && a != 0x08DD && a != 0x08DE && a != 0x08DF) ||
        (a >= 0x1000 && a <= 0x4E7F);
    ASSERT_EQ(receiver.memory().Byte(a), written ? image.Byte(a) : receiver_before.Byte(a)) << a;
  }
}

TEST_F(TransferTest, ProgramPrecheckReadsTheRegionBlock) {
  receiver.SetRegionCode(0x02);
  receiver.SetCheckSwitch(0x01);
  ASSERT_EQ(link.ProgramPrecheck(image), LinkResult::kSuccess);
  EXPECT_EQ(image.Byte(0x005E), 0x02);
  EXPECT_EQ(image.Byte(0x005F), 0x01);
  EXPECT_EQ(image.Byte(0x0050), receiver.memory().Byte(0x0050));
  EXPECT_EQ(image.Byte(0x0060), 0);
  EXPECT_EQ(receiver.counts().read_blocks, 1);
}

TEST_F(TransferTest, AReadFailingAtTheFirstChannelLeavesEverySlotFilled) {
  std::array<bool, 1000> in_use{};
  in_use.fill(true);
  const auto list = BuildReadList(in_use);
  // Handshake plus every command of the 32 fixed entries, then silence.
  int fixed_commands = 1;
  for (std::size_t i = 0; i < 32; ++i)
    fixed_commands += static_cast<int>(SplitRange(list[i]).size());
  receiver.options().silent_after = fixed_commands;
  image.Fill(0x00);
  int progress = -1;
  EXPECT_EQ(link.ReadRanges(image, list, {nullptr, [&](int v) { progress = v; }}),
            LinkResult::kReadFailed);
  EXPECT_EQ(progress, 32);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(image.Byte(0x0300), receiver.memory().Byte(0x0300));
  for (std::size_t a = 0x1000; a < MemoryImage::kSize; ++a) ASSERT_EQ(image.Byte(a), 0xFF) << a;
  EXPECT_EQ(link.FailureDetail(), "No valid answer to reading 16 bytes at 0x1000.");
}

TEST_F(TransferTest, APortThatCannotOpenIsCode1InAPrecheckAnd2Or3InALoop) {
  port.SetOpenFailure("sim1 is in use by another program.");
  EXPECT_EQ(link.ReadPrecheck(image), LinkResult::kPortUnavailable);
  EXPECT_EQ(link.FailureDetail(), "sim1 is in use by another program.");
  EXPECT_EQ(link.ProgramPrecheck(image), LinkResult::kPortUnavailable);
  image.Fill(0x12);
  EXPECT_EQ(link.ReadRanges(image, BuildProgramList()), LinkResult::kReadFailed);
  EXPECT_EQ(image.Byte(0), 0x12);  // not filled before the port and handshake succeed
  EXPECT_EQ(link.WriteRanges(image, BuildProgramList()), LinkResult::kWriteFailed);
  EXPECT_EQ(receiver.counts().Total(), 0);

  Link no_port(port, clock);
  EXPECT_EQ(no_port.ReadPrecheck(image), LinkResult::kPortUnavailable);
  EXPECT_EQ(no_port.FailureDetail(), "No serial port has been chosen.");
}

TEST_F(TransferTest, ASilentReceiverFailsTheHandshakeWithCode2Or3) {
  receiver.options().silent_after = 0;
  const std::uint64_t start = clock.Total();
  EXPECT_EQ(link.ReadPrecheck(image), LinkResult::kReadFailed);
  EXPECT_EQ(clock.Total() - start, 3u * 1040);
  EXPECT_EQ(link.FailureDetail(), "The receiver did not answer the handshake.");
  EXPECT_EQ(link.WriteRanges(image, BuildProgramList()), LinkResult::kWriteFailed);
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(TransferTest, AnUnpluggedAdapterFailsTheCommandPromptly) {
  receiver.options().silent_after = 20;
  std::array<bool, 1000> in_use{};
  // Unplug as the receiver goes quiet: the failing command gives up without time-outs.
  receiver.SetLog([&](const std::string&) {
    if (receiver.counts().Total() == 20) port.Unplug();
  });
  const std::uint64_t start = clock.Total();
  EXPECT_EQ(link.ReadRanges(image, BuildReadList(in_use)), LinkResult::kReadFailed);
  EXPECT_LT(clock.Total() - start, 1000u);
  EXPECT_NE(link.FailureDetail().find("The serial adapter was removed."), std::string::npos);
}

TEST_F(TransferTest, RetriesRideOutAnUnreliableReceiver) {
  receiver.options() = {.drop_rate = 0.02, .corrupt_rate = 0.02, .noise_rate = 0.02, .seed = 7};
  std::array<bool, 1000> in_use{};
  in_use.fill(true);
  ASSERT_EQ(link.ReadRanges(image, BuildReadList(in_use)), LinkResult::kSuccess)
      << link.FailureDetail();
  EXPECT_EQ(image.Byte(0x4E7F), receiver.memory().Byte(0x4E7F));
  EXPECT_GT(receiver.counts().read_blocks, 1000 + 31);  // some commands were sent again
  ASSERT_EQ(link.WriteRanges(image, BuildProgramList()), LinkResult::kSuccess);
}

TEST_F(TransferTest, ALineErrorFailsTheAttemptAndTheCommandIsSentAgain) {
  receiver.options().line_error_rate = 1;
  EXPECT_EQ(link.ProgramPrecheck(image), LinkResult::kReadFailed);
  EXPECT_EQ(receiver.counts().handshakes, 3);
  receiver.options() = {.line_error_rate = 0.3, .seed = 3};
  receiver.ResetCounts();
  EXPECT_EQ(link.ReadPrecheck(image), LinkResult::kSuccess);
  EXPECT_GT(receiver.counts().Total(), 9);
}

TEST_F(TransferTest, RepliesMayComeLateButNotAfterTheTimeout) {
  receiver.options().reply_delay_ms = 999;
  EXPECT_EQ(link.ProgramPrecheck(image), LinkResult::kSuccess);
  receiver.options().reply_delay_ms = 1000;
  EXPECT_EQ(link.ProgramPrecheck(image), LinkResult::kReadFailed);
}

TEST_F(TransferTest, AnEchoingLineReadsButCannotWrite) {
  receiver.options().echo = true;
  EXPECT_EQ(link.ReadPrecheck(image), LinkResult::kSuccess);
  EXPECT_EQ(image.Byte(0x08DF), receiver.memory().Byte(0x08DF));
  // The echo of a write frame starts with SOH, which is not an acknowledgement.
  EXPECT_EQ(link.WriteRanges(image, BuildProgramList()), LinkResult::kWriteFailed);
}

}  // namespace
}  // namespace kestrel::link
