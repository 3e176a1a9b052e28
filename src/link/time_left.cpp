#include "link/time_left.h"

#include <algorithm>

#include "link/time_estimate.h"

namespace kestrel::link {
namespace {

constexpr std::uint64_t kPaddingShare = 20;
constexpr std::uint64_t kLeastPaddingMs = 250;
constexpr std::uint64_t kMostPaddingMs = 3000;

}  // namespace

TimeLeftEstimate::TimeLeftEstimate(Clock& clock, ModelLeft model)
    : clock_(clock),
      start_(clock.Now()),
      reached_at_(start_),
      left_(model),
      expected_ms_(HandshakeCost().Ms()),
      figure_ms_(model.read_ms + model.write_ms) {}

std::uint64_t TimeLeftEstimate::Since(Tick tick) {
  return TickElapsed(tick, clock_.Now());
}

std::uint64_t TimeLeftEstimate::Figure() {
  const std::uint64_t padding =
      std::clamp((all_.model_ms + left_.read_ms + left_.write_ms) / kPaddingShare, kLeastPaddingMs,
                 kMostPaddingMs);
  const double pad = static_cast<double>(padding);
  const double rate =
      (static_cast<double>(all_.taken_ms) + pad) / (static_cast<double>(all_.model_ms) + pad);
  double figure = 0;
  for (const Direction direction : {Direction::kRead, Direction::kWrite}) {
    const Pace& pace = by_direction_[static_cast<std::size_t>(direction)];
    const double own = (static_cast<double>(pace.taken_ms) + pad * rate) /
                       (static_cast<double>(pace.model_ms) + pad);
    figure += static_cast<double>(left_.Of(direction)) * own;
  }
  return static_cast<std::uint64_t>(figure + 0.5);
}

void TimeLeftEstimate::Reached(ModelLeft left) {
  const std::uint64_t taken = Since(reached_at_);
  for (const Direction direction : {Direction::kRead, Direction::kWrite}) {
    const std::uint64_t before = left_.Of(direction);
    const std::uint64_t now = left.Of(direction);
    if (now >= before) continue;
    expected_ms_ = before - now;
    Pace& pace = by_direction_[static_cast<std::size_t>(direction)];
    pace.model_ms += expected_ms_;
    pace.taken_ms += taken;
    all_.model_ms += expected_ms_;
  }
  left_ = left;
  reached_at_ = clock_.Now();
  all_.taken_ms = Since(start_);
  figure_ms_ = Figure();
}

void TimeLeftEstimate::Replan(ModelLeft left) {
  left_ = left;
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
