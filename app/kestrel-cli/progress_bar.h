// Progress of a transfer on stderr: on a terminal one bar redrawn in place, otherwise a line at
// every tenth of the way, so a log file stays short.
#pragma once

#include <ostream>
#include <string>

#include "link/read_sequence.h"

namespace kestrel::cli {

class ProgressBar {
 public:
  ProgressBar(std::ostream& out, bool terminal) : out_(out), terminal_(terminal) {}
  ~ProgressBar() { EndLine(); }

  // The callbacks a sequence reports to.
  link::SequenceReport Report();

  void State(const std::string& text);
  void Range(int maximum);
  void Value(int value);
  // Ends the bar's line, so that what follows starts on a fresh one.
  void EndLine();

 private:
  void Draw();

  std::ostream& out_;
  bool terminal_;
  std::string state_;
  int maximum_ = 0;
  int value_ = 0;
  int tenths_shown_ = -1;
  bool line_open_ = false;
};

// True when the standard error stream is a terminal.
bool StderrIsTerminal();

}  // namespace kestrel::cli
