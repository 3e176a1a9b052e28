// The progress a sequence reports for the whole of its job: the steps it runs each get a
// Progress of their own, whose time left (the model's, of that step) is made the job's by adding
// what the steps after it take, and shown as the job's TimeLeftEstimate has it. While the link
// waits for a reply the figure goes on counting down, and the user is told when the receiver is
// more than kLateReplyMs late.
#pragma once

#include <cstdint>

#include "link/serial_line.h"
#include "link/time_left.h"
#include "link/transfer.h"

namespace kestrel::link {

class JobProgress {
 public:
  // The job starts now and takes `model_ms` on the model; `outer` is what the sequence was
  // given to report to. The line ticks the figure along while it waits, until this ends.
  JobProgress(SerialLine& line, const Progress& outer, std::uint64_t model_ms);
  ~JobProgress();
  JobProgress(const JobProgress&) = delete;
  JobProgress& operator=(const JobProgress&) = delete;

  // The Progress for a step followed by steps that take `after_ms` on the model. With `bar`
  // false the step only counts for the time left (a check before or between the main steps).
  Progress Step(std::uint64_t after_ms, bool bar = true);
  // The rest of the job turned out to take `model_left_ms` on the model.
  void Replan(std::uint64_t model_left_ms);

 private:
  void Reached(std::uint64_t model_left_ms);
  void Tick();
  void Show();

  SerialLine& line_;
  const Progress& outer_;
  TimeLeftEstimate estimate_;
  bool waiting_ = false;
};

}  // namespace kestrel::link
