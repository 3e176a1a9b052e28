#include "link/time_left.h"

#include <gtest/gtest.h>

#include <cmath>

#include "link/link.h"
#include "link/program_sequence.h"
#include "link/sim/simulated_receiver_port.h"
#include "link/sim/time_left_trial.h"
#include "model/defaults.h"

namespace kestrel::link {
namespace {

TEST(TimeLeftTest, StaysWithinAQuarterOfTheTruthFromATenthOfTheWayOn) {
  const struct {
    const char* line;
    SimulatorOptions options;
    bool may_wait;  // a lost read reply is waited for a little more than 2 s
  } lines[] = {
      {"normal", {.baud = 38400}, false},
      {"twice as slow", {.reply_delay_ms = 50, .baud = 38400}, false},
      {"echoing", {.echo = true, .baud = 38400}, false},
      {"one answer in fifty lost", {.drop_every = 50, .baud = 38400}, true},
  };
  for (const auto& line : lines) {
    for (const TrialJob job : {TrialJob::kReadAllChannels, TrialJob::kProgramAndVerify}) {
      const TimeLeftTrial trial = RunTimeLeftTrial(job, line.options);
      ASSERT_TRUE(trial.succeeded) << line.line;
      for (std::size_t i = 0; i < trial.error.size(); ++i) {
        EXPECT_LE(std::abs(trial.error[i]), 0.25)
            << line.line << (job == TrialJob::kReadAllChannels ? ", read" : ", program") << ", at "
            << TimeLeftTrial::kShares[i] << " of " << trial.total_ms << " ms";
      }
      if (!line.may_wait) {
        EXPECT_EQ(trial.waits, 0) << line.line;
      }
    }
  }
}

TEST(TimeLeftTest, CountsDownAndSaysSoWhileTheReceiverKeepsSilent) {
  VirtualClock clock;
  ReceiverSimulator receiver({.baud = 38400, .silent_after = 100});
  SimulatedReceiverPort port(receiver, clock);
  Link link(port, clock);
  link.SelectPortNumber(1);
  std::uint64_t answered_at = 0;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> since_answer;  // (when, figure)
  std::vector<std::uint64_t> late_at;
  SequenceReport report;
  report.progress.answered = [&](const RangeCommand&, bool answered) {
    if (!answered) return;
    answered_at = clock.Total();
    since_answer.clear();
  };
  report.progress.time_left = [&](std::uint64_t ms) {
    since_answer.emplace_back(clock.Total(), ms);
  };
  report.progress.waiting = [&](bool waiting) {
    if (waiting) late_at.push_back(clock.Total());
  };
  MemoryImage image;
  ASSERT_FALSE(ProgramToRadio(link, image, NewConfiguration(), {}, report));
  // Three attempts of the silent command: the figure is ticked along, falling every time.
  ASSERT_GE(since_answer.size(), 10u);
  for (std::size_t i = 1; i < since_answer.size(); ++i) {
    EXPECT_GT(since_answer[i].first, since_answer[i - 1].first);
    EXPECT_LT(since_answer[i].second, since_answer[i - 1].second);
  }
  ASSERT_EQ(late_at.size(), 1u);
  EXPECT_GT(late_at[0] - answered_at, kLateReplyMs);
  EXPECT_LT(late_at[0] - answered_at, kLateReplyMs + 600);
}

}  // namespace
}  // namespace kestrel::link
