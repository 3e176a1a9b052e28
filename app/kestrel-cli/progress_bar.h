// Progress of a transfer on stderr with the time left: on a terminal one bar redrawn in place,
// at least twice a second while commands go out or a reply is awaited; otherwise a line at every
// tenth of the way, so a log file stays short, and one when a reply is late ("waiting for the
// receiver"). With a label (several receivers programmed at once) every line starts
// with it and nothing is redrawn in place, as the workers write at the same time; their lines
// never mix.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "link/read_sequence.h"

namespace kestrel::cli {

class ProgressBar {
 public:
  ProgressBar(std::ostream& out, bool terminal, std::string label = {})
      : out_(out), terminal_(terminal && label.empty()), label_(std::move(label)) {}
  ~ProgressBar() { EndLine(); }

  // The callbacks a sequence reports to.
  link::SequenceReport Report();

  void State(const std::string& text);
  void Range(int maximum);
  void Value(int value);
  void TimeLeft(std::uint64_t ms);
  void Waiting(bool waiting);
  // Ends the bar's line, so that what follows starts on a fresh one.
  void EndLine();

 private:
  // With `force`, a line is printed off a terminal too.
  void Draw(bool force = false);
  void Print(const std::string& line);

  std::ostream& out_;
  bool terminal_;
  std::string label_;
  int maximum_ = 0;
  int value_ = 0;
  int tenths_shown_ = -1;
  std::optional<std::uint64_t> left_ms_;
  bool waiting_ = false;
  std::chrono::steady_clock::time_point drawn_at_{};
  bool line_open_ = false;
};

// True when the standard error stream is a terminal.
bool StderrIsTerminal();

}  // namespace kestrel::cli
