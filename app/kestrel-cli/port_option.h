// The receiver a subcommand talks to, chosen with --port: "sim" (a receiver simulated in this
// process, in real time, holding the default configuration), a number 1 to 4 (as in the window's
// COM menu) or a device name, with an optional wire trace of every byte to a file.
#pragma once

#include <expected>
#include <fstream>
#include <memory>
#include <string>

#include "link/clock.h"
#include "link/link.h"
#include "link/link_result.h"
#include "link/serial_port.h"
#include "link/sim/receiver_simulator.h"

namespace kestrel::cli {

// What went wrong in setting the link up; the exit status tells usage (64) from file (65).
struct PortOptionError {
  int exit_status;
  std::string message;
};

class PortOption {
 public:
  // Nothing is opened yet: the sequences open and close the port themselves.
  static std::expected<std::unique_ptr<PortOption>, PortOptionError> Make(
      const std::string& port, const std::string& trace_path);

  link::Link& link() { return *link_; }

 private:
  PortOption() = default;

  std::unique_ptr<link::Clock> clock_ = std::make_unique<link::RealClock>();
  std::unique_ptr<link::ReceiverSimulator> receiver_;
  std::unique_ptr<link::SerialPort> port_;
  std::ofstream trace_file_;
  std::unique_ptr<link::SerialPort> trace_;
  std::unique_ptr<link::Link> link_;
};

// Prints the result's message and the detail under it on stderr, one line each, and returns the
// result code as the exit status.
int ReportLinkFailure(link::LinkResult result, const std::string& detail);

}  // namespace kestrel::cli
