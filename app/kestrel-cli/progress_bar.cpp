#include "progress_bar.h"

#include <unistd.h>

namespace kestrel::cli {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

bool StderrIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

link::SequenceReport ProgressBar::Report() {
  return {[this](const std::string& text) { State(text); },
          {[this](int maximum) { Range(maximum); }, [this](int value) { Value(value); }}};
}

void ProgressBar::State(const std::string& text) {
  EndLine();
  state_ = text;
  maximum_ = value_ = 0;
  tenths_shown_ = -1;
  out_ << text << "\n" << std::flush;
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

void ProgressBar::EndLine() {
  if (!line_open_) return;
  out_ << "\n" << std::flush;
  line_open_ = false;
}

void ProgressBar::Draw() {
  if (maximum_ <= 0) return;
  const int percent = value_ * 100 / maximum_;
  if (terminal_) {
    const int filled = value_ * kBarWidth / maximum_;
    out_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] " << percent
         << "% (" << value_ << "/" << maximum_ << ")" << std::flush;
    line_open_ = true;
    return;
  }
  const int tenths = percent / 10;
  if (tenths == tenths_shown_) return;
  tenths_shown_ = tenths;
  out_ << percent << "% (" << value_ << "/" << maximum_ << ")\n" << std::flush;
}

}  // namespace kestrel::cli
