#include "link/job_progress.h"

namespace kestrel::link {

JobProgress::JobProgress(SerialLine& line, const Progress& outer, ModelLeft model)
    : line_(line), outer_(outer), estimate_(line.clock(), model) {
  if (outer_.time_left || outer_.waiting) line_.SetWaitTick([this] { Tick(); });
  Show();
}

JobProgress::~JobProgress() {
  line_.SetWaitTick({});
}

Progress JobProgress::Step(Direction direction, ModelLeft after, bool bar) {
  Progress step;
  if (bar) {
    step.range = outer_.range;
    step.value = outer_.value;
    step.answered = outer_.answered;
  }
  step.time_left = [this, direction, after](std::uint64_t ms) {
    ModelLeft left = after;
    left.Of(direction) += ms;
    estimate_.Reached(left);
    if (waiting_) {
      waiting_ = false;
      if (outer_.waiting) outer_.waiting(false);
    }
    Show();
  };
  return step;
}

void JobProgress::Replan(ModelLeft left) {
  estimate_.Replan(left);
  Show();
}

void JobProgress::Tick() {
  Show();
  if (!waiting_ && estimate_.Late()) {
    waiting_ = true;
    if (outer_.waiting) outer_.waiting(true);
  }
}

void JobProgress::Show() {
  if (outer_.time_left) outer_.time_left(estimate_.Ms());
}

}  // namespace kestrel::link
