#include "link/job_progress.h"

namespace kestrel::link {

JobProgress::JobProgress(SerialLine& line, const Progress& outer, std::uint64_t model_ms)
    : line_(line), outer_(outer), estimate_(line.clock(), model_ms) {
  if (outer_.time_left || outer_.waiting) line_.SetWaitTick([this] { Tick(); });
  Show();
}

JobProgress::~JobProgress() {
  line_.SetWaitTick({});
}

Progress JobProgress::Step(std::uint64_t after_ms, bool bar) {
  Progress step;
  if (bar) {
    step.range = outer_.range;
    step.value = outer_.value;
    step.answered = outer_.answered;
  }
  step.time_left = [this, after_ms](std::uint64_t ms) { Reached(ms + after_ms); };
  return step;
}

void JobProgress::Replan(std::uint64_t model_left_ms) {
  estimate_.Replan(model_left_ms);
  Show();
}

void JobProgress::Reached(std::uint64_t model_left_ms) {
  estimate_.Reached(model_left_ms);
  if (waiting_) {
    waiting_ = false;
    if (outer_.waiting) outer_.waiting(false);
  }
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
