// SIGINT and SIGTERM stop a transfer of kestrel-cli as the window's CANCEL does: the transfer ends
// at its next command boundary with the port closed, the command writes no output, and the exit
// status is 130 or 143 (128 plus the signal's number, as a shell reports a program the signal
// ended). A second signal ends the program at once, after removing the temporary files of
// unfinished saves (see files/temporary_files.h, whose handler this one takes the place of). In a
// Windows console, Ctrl+C and Ctrl+Break do the same as SIGINT.
#pragma once

#include <string>

#include "link/cancel.h"

namespace kestrel::cli {

// While one lives, the first SIGINT or SIGTERM requests `cancel`. A pending wait for standard
// input ends too. The actions in place before are put back at its end.
class CancelOnSignals {
 public:
  explicit CancelOnSignals(link::CancelToken& cancel);
  ~CancelOnSignals();
  CancelOnSignals(const CancelOnSignals&) = delete;
  CancelOnSignals& operator=(const CancelOnSignals&) = delete;

  // The signal that requested the cancel; 0 while none came.
  int Signal() const;
};

// Prints "kestrel-cli: interrupted (SIGINT). <what>" on stderr and returns 128 + `signal`.
int ReportInterrupted(int signal, const std::string& what);

}  // namespace kestrel::cli
