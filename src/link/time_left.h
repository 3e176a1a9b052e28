// The time left of a whole job as the user is shown it. The line's model (time_estimate.h) says
// what the steps still to come take on a well-behaved line; the rate the job has actually
// reached corrects that: the model's figure is scaled by the time taken so far over the model's
// time of what was done, both padded with a twentieth of the job's model time (a quarter of a
// second to three seconds). The padding makes the first commands move the figure little, while a
// slow receiver, an echoing cable or retries have set the rate well before a tenth of the way.
// Between commands the figure counts down from the last one, so it keeps moving while a slow
// reply is awaited.
#pragma once

#include <cstdint>

#include "link/clock.h"

namespace kestrel::link {

// A reply this much later than the model expects has the user told that the tool is waiting.
inline constexpr std::uint64_t kLateReplyMs = 2000;

class TimeLeftEstimate {
 public:
  // The job starts now; `model_ms` is what all of it takes on the model.
  TimeLeftEstimate(Clock& clock, std::uint64_t model_ms);

  // After a command: what the rest of the job takes on the model.
  void Reached(std::uint64_t model_left_ms);
  // The rest of the job turned out to take `model_left_ms` on the model (the channels to read
  // became known), without any command having been done.
  void Replan(std::uint64_t model_left_ms);

  // The figure to show now.
  std::uint64_t Ms();
  // True while the command under way is more than kLateReplyMs later than the model expects.
  bool Late();

 private:
  std::uint64_t Since(Tick tick);
  std::uint64_t Figure() const;

  Clock& clock_;
  Tick start_;
  Tick reached_at_;             // when the last command ended
  std::uint64_t taken_ms_ = 0;  // from the start to reached_at_
  std::uint64_t model_done_ms_ = 0;
  std::uint64_t model_left_ms_;
  std::uint64_t expected_ms_;  // what the command under way takes on the model
  std::uint64_t figure_ms_;    // the figure at reached_at_
};

}  // namespace kestrel::link
