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
  // The job starts now and takes `model` on the model; `outer` is what the sequence was given to
  // report to. The line ticks the figure along while it waits, until this ends.
  JobProgress(SerialLine& line, const Progress& outer, ModelLeft model);
  ~JobProgress();
  JobProgress(const JobProgress&) = delete;
  JobProgress& operator=(const JobProgress&) = delete;

  // The Progress for a step of `direction` followed by steps that take `after` on the model.
  // With `bar` false the step only counts for the time left (a check before or between the main
  // steps).
  Progress Step(Direction direction, ModelLeft after, bool bar = true);
  // The rest of the job turned out to take `left` on the model.
  void Replan(ModelLeft left);

 private:
  void Tick();
  void Show();

  SerialLine& line_;
  const Progress& outer_;
  TimeLeftEstimate estimate_;
  bool waiting_ = false;
};

}  // namespace kestrel::link
