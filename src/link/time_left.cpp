#include "link/time_left.h"

#include <algorithm>

#include "link/time_estimate.h"

namespace kestrel::link {
namespace {

constexpr std::uint64_t kPaddingShare = 20;
constexpr std::uint64_t kLeastPaddingMs = 250;
constexpr std::uint64_t kMostPaddingMs = 3000;

}  // namespace

TimeLeftEstimate::TimeLeftEstimate(Clock& clock, std::uint64_t model_ms)
    : clock_(clock),
      start_(clock.Now()),
      reached_at_(start_),
      model_left_ms_(model_ms),
      expected_ms_(HandshakeCost().Ms()),
      figure_ms_(model_ms) {}

std::uint64_t TimeLeftEstimate::Since(Tick tick) {
  return TickElapsed(tick, clock_.Now());
}

std::uint64_t TimeLeftEstimate::Figure() const {
  const std::uint64_t padding = std::clamp((model_done_ms_ + model_left_ms_) / kPaddingShare,
                                           kLeastPaddingMs, kMostPaddingMs);
  const double rate =
      static_cast<double>(taken_ms_ + padding) / static_cast<double>(model_done_ms_ + padding);
  return static_cast<std::uint64_t>(static_cast<double>(model_left_ms_) * rate + 0.5);
}

void TimeLeftEstimate::Reached(std::uint64_t model_left_ms) {
  if (model_left_ms < model_left_ms_) {
    expected_ms_ = model_left_ms_ - model_left_ms;
    model_done_ms_ += expected_ms_;
  }
  model_left_ms_ = model_left_ms;
  reached_at_ = clock_.Now();
  taken_ms_ = Since(start_);
  figure_ms_ = Figure();
}

void TimeLeftEstimate::Replan(std::uint64_t model_left_ms) {
  model_left_ms_ = model_left_ms;
  figure_ms_ = Figure();
}

std::uint64_t TimeLeftEstimate::Ms() {
  const std::uint64_t waited = Since(reached_at_);
  if (waited < figure_ms_) return figure_ms_ - waited;
  // A transfer still under way never says it has no time left.
  return std::min<std::uint64_t>(figure_ms_, 1);
}

bool TimeLeftEstimate::Late() {
  return Since(reached_at_) > expected_ms_ + kLateReplyMs;
}

}  // namespace kestrel::link
