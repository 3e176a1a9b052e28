#include "ui/link_radio_jobs.h"

#include <gtest/gtest.h>

#include "link/serial_line.h"
#include "model/defaults.h"

namespace kestrel::ui {
namespace {

// The window's simulated receiver on a virtual clock: a whole transfer takes no real time, and
// the time it would take is exact.
struct LinkRadioJobsTest : ::testing::Test {
  std::shared_ptr<link::VirtualClock> clock = std::make_shared<link::VirtualClock>();
  LinkRadioJobs jobs{clock};
  TransferProgress progress;
};

TEST_F(LinkRadioJobsTest, AReadBringsBackTheSimulatedReceiverAndReportsProgress) {
  RadioConfig current = NewConfiguration();
  current.SetMode[0] = 5;  // the receiver holds 0, which the read must bring back
  int maximum = 0, last_value = 0;
  QString state;
  QObject::connect(&progress, &TransferProgress::RangeChanged,
                   [&](int, int max) { maximum = max; });
  QObject::connect(&progress, &TransferProgress::ValueChanged, [&](int v) { last_value = v; });
  QObject::connect(&progress, &TransferProgress::StateTextChanged,
                   [&](const QString& t) { state = t; });

  const TransferOutcome outcome =
      jobs.ReadJob(link::PortChoice::Simulated(), current, MemoryImage())(progress);

  ASSERT_TRUE(outcome.status) << link::ResultText(outcome.status.error());
  ASSERT_TRUE(outcome.record && outcome.image);
  EXPECT_EQ(outcome.record->SetMode, NewConfiguration().SetMode);
  EXPECT_EQ(outcome.record->ProgrammedChannelCount(), 89);
  EXPECT_EQ(maximum, 32 + 89);
  EXPECT_EQ(last_value, maximum);
  EXPECT_EQ(state, "Reading data.");
  // One settle delay after each of 212 commands: two handshakes, the pre-check's 8 blocks, the
  // fixed ranges' 52 blocks and 61 single bytes, and the 89 channels' slots.
  EXPECT_EQ(clock->Total(), 212 * link::kSettleDelayMs);
}

TEST_F(LinkRadioJobsTest, TheSimulatedReceiverKeepsWhatAProgramJobWrote) {
  RadioConfig record = NewConfiguration();
  record.Channel(7).InUse = 1;
  record.Channel(7).Frequency = "145500000";
  record.Channel(7).Name = "CALL  ";
  const TransferOutcome programmed =
      jobs.ProgramJob(link::PortChoice::Simulated(), record, MemoryImage(), true)(progress);
  ASSERT_TRUE(programmed.status) << link::ResultText(programmed.status.error());

  const TransferOutcome read =
      jobs.ReadJob(link::PortChoice::Simulated(), RadioConfig(), MemoryImage())(progress);
  ASSERT_TRUE(read.status) << link::ResultText(read.status.error());
  EXPECT_EQ(read.record->Channel(7).Frequency, "145500000");
  EXPECT_EQ(read.record->Channel(7).Name, "CALL  ");
  EXPECT_EQ(read.record->ProgrammedChannelCount(), 90);
  // The further simulated receivers are others: the second still holds the defaults.
  const TransferOutcome second =
      jobs.ReadJob(link::PortChoice::Simulated(2), RadioConfig(), MemoryImage())(progress);
  ASSERT_TRUE(second.status);
  EXPECT_EQ(second.record->ProgrammedChannelCount(), 89);
}

TEST_F(LinkRadioJobsTest, ACancelRequestReachesTheLink) {
  progress.Cancel().Request();
  const TransferOutcome outcome =
      jobs.ReadJob(link::PortChoice::Simulated(), NewConfiguration(), MemoryImage())(progress);
  ASSERT_FALSE(outcome.status);
  EXPECT_EQ(outcome.status.error().detail, "Reading cancelled. Nothing was changed.");
  EXPECT_EQ(clock->Total(), 0u);  // stopped before the first command
}

TEST_F(LinkRadioJobsTest, APortThatDoesNotExistSaysWhy) {
  const TransferOutcome outcome =
      jobs.ReadJob(link::PortChoice::Device("/dev/kestrel-no-such-port"), NewConfiguration(),
                   MemoryImage())(progress);
  ASSERT_FALSE(outcome.status);
  EXPECT_EQ(outcome.status.error().code, link::LinkResult::kPortUnavailable);
  EXPECT_FALSE(outcome.status.error().detail.empty());
  EXPECT_FALSE(outcome.record.has_value());
  EXPECT_EQ(clock->Total(), 0u);  // a real port never runs on the simulated receiver's clock
}

}  // namespace
}  // namespace kestrel::ui
