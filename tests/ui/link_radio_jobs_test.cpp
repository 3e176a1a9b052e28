#include "ui/link_radio_jobs.h"

#include <gtest/gtest.h>

#include "model/defaults.h"

namespace kestrel::ui {
namespace {

// The window's simulated receivers on a virtual clock: a whole transfer takes no real time. The
// sequences themselves, and what each command costs, are the link's tests.
struct LinkRadioJobsTest : ::testing::Test {
  TransferOutcome Read(const link::PortChoice& port) {
    return jobs.ReadJob(port, NewConfiguration(), MemoryImage())(progress);
  }
  std::shared_ptr<link::VirtualClock> clock = std::make_shared<link::VirtualClock>();
  LinkRadioJobs jobs{clock};
  TransferProgress progress;
};

TEST_F(LinkRadioJobsTest, AReceiverKeepsWhatAProgramJobWroteAndTheJobsReportTheirProgress) {
  RadioConfig record = NewConfiguration();
  record.Channel(7) = {1, "145500000", "CALL  ", 1, 3};
  const TransferOutcome programmed =
      jobs.ProgramJob(link::PortChoice::Simulated(), record, MemoryImage(), true)(progress);
  ASSERT_TRUE(programmed.status) << link::ResultText(programmed.status.error());

  int maximum = 0, last_value = 0;
  QString state;
  QObject::connect(&progress, &TransferProgress::RangeChanged,
                   [&](int, int max) { maximum = max; });
  QObject::connect(&progress, &TransferProgress::ValueChanged, [&](int v) { last_value = v; });
  QObject::connect(&progress, &TransferProgress::StateTextChanged,
                   [&](const QString& t) { state = t; });
  const TransferOutcome read = Read(link::PortChoice::Simulated());
  ASSERT_TRUE(read.status) << link::ResultText(read.status.error());
  ASSERT_TRUE(read.record && read.image);
  EXPECT_EQ(read.record->Channel(7).Frequency + read.record->Channel(7).Name, "145500000CALL  ");
  EXPECT_EQ(state, "Reading data.");
  EXPECT_GT(maximum, 0);
  EXPECT_EQ(last_value, maximum);
  EXPECT_GT(clock->Total(), 0u) << "on the clock given";
  // The further simulated receivers are others: the second still holds the defaults.
  const TransferOutcome second = Read(link::PortChoice::Simulated(2));
  ASSERT_TRUE(second.status);
  EXPECT_EQ(second.record->Channel(7), NewConfiguration().Channel(7));
}

// Both end the job before its first command, with the link's reason.
TEST_F(LinkRadioJobsTest, ACancelRequestAndAMissingPortReachTheLink) {
  const TransferOutcome missing = Read(link::PortChoice::Device("/dev/kestrel-no-such-port"));
  ASSERT_FALSE(missing.status);
  EXPECT_EQ(missing.status.error().code, link::LinkResult::kPortUnavailable);
  EXPECT_FALSE(missing.record.has_value());
  EXPECT_EQ(clock->Total(), 0u) << "a real port never runs on the simulated receiver's clock";

  progress.Cancel().Request();
  const TransferOutcome cancelled = Read(link::PortChoice::Simulated());
  ASSERT_FALSE(cancelled.status);
  EXPECT_EQ(cancelled.status.error().detail, "Reading cancelled. Nothing was changed.");
  EXPECT_EQ(clock->Total(), 0u);
}

}  // namespace
}  // namespace kestrel::ui
