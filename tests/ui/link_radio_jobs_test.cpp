#include "ui/link_radio_jobs.h"

#include <gtest/gtest.h>

#include "model/defaults.h"

namespace kestrel::ui {
namespace {

// The simulated receiver answers in real time, so this reads its 89 preset channels once
// (about 120 ranges at one settle delay per command: a few seconds) to prove the wiring from a
// job to the read sequence and back.
TEST(LinkRadioJobs, ReadsTheSimulatedReceiverAndReportsProgress) {
  LinkRadioJobs jobs;
  RadioConfig current = NewConfiguration();
  current.SetMode[0] = 5;  // the receiver holds 0, which the read must bring back
  TransferProgress progress;
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
  EXPECT_EQ(outcome.record->Channel(859).Frequency, "6090000");
  EXPECT_EQ(maximum, 32 + 89);
  EXPECT_EQ(last_value, maximum);
  EXPECT_EQ(state, "Reading data.");
}

TEST(LinkRadioJobs, APortThatDoesNotExistSaysWhy) {
  LinkRadioJobs jobs;
  TransferProgress progress;
  const TransferOutcome outcome =
      jobs.ReadJob(link::PortChoice::Device("/dev/kestrel-no-such-port"), NewConfiguration(),
                   MemoryImage())(progress);
  ASSERT_FALSE(outcome.status);
  EXPECT_EQ(outcome.status.error().code, link::LinkResult::kPortUnavailable);
  EXPECT_FALSE(outcome.status.error().detail.empty());
  EXPECT_FALSE(outcome.record.has_value());
}

}  // namespace
}  // namespace kestrel::ui
