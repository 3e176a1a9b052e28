// The receiver a subcommand talks to, chosen with --port: "sim" (a receiver simulated in this
// process, in real time, holding the default configuration), a number 1 to 4 (as in the window's
// COM menu) or a device name, with an optional wire trace of every byte to a file.
#pragma once

#include <expected>
#include <string>

#include "link/link_result.h"
#include "link/qt/port_link.h"

namespace kestrel::cli {

// What went wrong in setting the link up; the exit status tells usage (64) from file (65).
struct PortOptionError {
  int exit_status;
  std::string message;
};

// The link's setup for --port and --trace; the trace file is created here. Run the transfer with
// a PortLink made from it inside link::RunOnLinkThread.
std::expected<link::LinkSetup, PortOptionError> MakeLinkSetup(const std::string& port,
                                                              const std::string& trace_path);

// How a port is named in the lines of a run over several ports: a device's name under /dev
// ("ttyUSB0" for /dev/ttyUSB0, "pts/3"), else the text as given ("sim", "3", "COM5").
std::string PortLabel(const std::string& port);

// The exit status of a failed transfer: 1 to 5 as scripts know them, 6 for a stop on request
// that no signal caused.
int ExitStatusOf(link::LinkResult result);

// Prints the result's message, the detail under it and then the cause and what to do on stderr,
// one line each, and returns the failure's exit status.
int ReportLinkFailure(const link::LinkFailure& failure);

}  // namespace kestrel::cli
