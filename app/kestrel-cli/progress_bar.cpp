#include "progress_bar.h"

#include <unistd.h>

#include <mutex>
#include <vector>

#include "link/time_estimate.h"

namespace kestrel::cli {
namespace {

constexpr int kBarWidth = 40;
constexpr auto kRedrawEvery = std::chrono::milliseconds(250);

// One writer at a time, whichever worker's bar it is.
std::mutex output_mutex;

}  // namespace

bool StderrIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

link::SequenceReport ProgressBar::Report() {
  link::SequenceReport report{
      [this](const std::string& text) { State(text); },
      {[this](int maximum) { Range(maximum); }, [this](int value) { Value(value); },
       [this](std::uint64_t ms) { TimeLeft(ms); }}};
  report.progress.waiting = [this](bool waiting) { Waiting(waiting); };
  return report;
}

void ProgressBar::State(const std::string& text) {
  EndLine();
  maximum_ = value_ = 0;
  tenths_shown_ = -1;
  left_ms_.reset();
  waiting_ = false;
  Print(text + "\n");
}

void ProgressBar::Range(int maximum) {
  maximum_ = maximum;
  value_ = 0;
  tenths_shown_ = -1;
  Draw();
}

void ProgressBar::Value(int value) {
  value_ = value;
  Draw();
}

void ProgressBar::TimeLeft(std::uint64_t ms) {
  left_ms_ = ms;
  if (terminal_ && std::chrono::steady_clock::now() - drawn_at_ >= kRedrawEvery) Draw();
}

void ProgressBar::Waiting(bool waiting) {
  waiting_ = waiting;
  if (terminal_ || waiting) Draw(waiting);
}

void ProgressBar::EndLine() {
  if (!line_open_) return;
  Print("\n");
  line_open_ = false;
}

void ProgressBar::Draw(bool force) {
  // Before the bar has a range (the checks before the main steps) only a late reply is shown.
  if (maximum_ <= 0 && !waiting_) return;
  const int percent = maximum_ > 0 ? value_ * 100 / maximum_ : 0;
  std::vector<std::string> parts;
  if (maximum_ > 0) {
    parts.push_back(std::to_string(percent) + "% (" + std::to_string(value_) + "/" +
                    std::to_string(maximum_) + ")");
  }
  if (left_ms_) {
    parts.push_back(link::TimeLeftText(*left_ms_, waiting_));
  } else if (waiting_) {
    parts.push_back("waiting for the receiver");
  }
  std::string text;
  for (const std::string& part : parts) text.append(text.empty() ? "" : ", ").append(part);
  if (terminal_) {
    const auto filled =
        maximum_ > 0 ? static_cast<std::size_t>(value_ * kBarWidth / maximum_) : std::size_t{0};
    drawn_at_ = std::chrono::steady_clock::now();
    // The blanks wipe what a longer time left drew before.
    Print("\r[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " + text +
          "   ");
    line_open_ = true;
    return;
  }
  const int tenths = percent / 10;
  if (tenths == tenths_shown_ && !force) return;
  tenths_shown_ = tenths;
  Print(text + "\n");
}

void ProgressBar::Print(const std::string& line) {
  const std::lock_guard lock(output_mutex);
  if (!label_.empty()) out_ << label_ << ": ";
  out_ << line << std::flush;
}

}  // namespace kestrel::cli
