// The time left of a whole job as the user is shown it. The line's model (time_estimate.h) says
// what the steps still to come take on a well-behaved line; the rate the job has actually
// reached corrects that: the model's figure is scaled by the time taken so far over the model's
// time of what was done, both padded with a twentieth of the job's model time (a quarter of a
// second to three seconds). The padding makes the first commands move the figure little, while a
// slow receiver, an echoing cable or retries have set the rate well before a tenth of the way.
// Reads and writes keep a rate each, padded the same way with the whole job's, as a cable or a
// lost answer need not cost them alike: a verify's read-back takes the write's pace at first,
// then its own. Between commands the figure counts down from the last one, so it keeps moving
// while a slow reply is awaited.
#pragma once

#include <array>
#include <cstdint>

#include "link/clock.h"
#include "link/time_estimate.h"

namespace kestrel::link {

// Model time still to come, by the direction of its commands.
struct ModelLeft {
  std::uint64_t read_ms = 0;
  std::uint64_t write_ms = 0;

  std::uint64_t& Of(Direction direction) {
    return direction == Direction::kRead ? read_ms : write_ms;
  }
};

// A reply this much later than the model expects has the user told that the tool is waiting.
inline constexpr std::uint64_t kLateReplyMs = 2000;

class TimeLeftEstimate {
 public:
  // The job starts now; `model` is what all of it takes on the model.
  TimeLeftEstimate(Clock& clock, ModelLeft model);

  // After a command: what the rest of the job takes on the model.
  void Reached(ModelLeft left);
  // The rest of the job turned out to take `left` on the model (the channels to read became
  // known), without any command having been done.
  void Replan(ModelLeft left);

  // The figure to show now.
  std::uint64_t Ms();
  // True while the command under way is more than kLateReplyMs later than the model expects.
  bool Late();

 private:
  // Time taken, and the model's time of what was done, in one direction or in all.
  struct Pace {
    std::uint64_t taken_ms = 0;
    std::uint64_t model_ms = 0;
  };

  std::uint64_t Since(Tick tick);
  std::uint64_t Figure();

  Clock& clock_;
  Tick start_;
  Tick reached_at_;  // when the last command ended
  Pace all_;         // from the start to reached_at_
  std::array<Pace, 2> by_direction_{};
  ModelLeft left_;
  std::uint64_t expected_ms_;  // what the command under way takes on the model
  std::uint64_t figure_ms_;    // the figure at reached_at_
};

}  // namespace kestrel::link
