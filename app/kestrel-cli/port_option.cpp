#include "port_option.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "link/qt/qt_serial_port.h"
#include "link/read_sequence.h"
#include "link/sim/default_memory.h"
#include "link/sim/simulated_receiver_port.h"
#include "link/trace_port.h"

namespace kestrel::cli {
namespace {

bool AllDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The test suites run the in-process receiver on virtual time, so that a whole transfer takes
// milliseconds and its timing is exact; users never set this.
bool SimulatedTimeIsVirtual() {
  const char* clock = std::getenv("KESTREL_SIM_CLOCK");
  return clock != nullptr && std::string_view(clock) == "virtual";
}

}  // namespace

std::expected<std::unique_ptr<PortOption>, PortOptionError> PortOption::Make(
    const std::string& port, const std::string& trace_path) {
  if (port.empty() || (AllDigits(port) && (port.size() != 1 || port[0] < '1' || port[0] > '4'))) {
    return std::unexpected(PortOptionError{
        64, "--port takes a device name, a number 1 to 4, or sim; not '" + port + "'"});
  }
  std::unique_ptr<PortOption> option(new PortOption);
  if (port == "sim") {
    if (SimulatedTimeIsVirtual()) option->clock_ = std::make_unique<link::VirtualClock>();
    option->receiver_ = std::make_unique<link::ReceiverSimulator>();
    option->receiver_->memory() = link::DefaultReceiverMemory();
    option->port_ =
        std::make_unique<link::SimulatedReceiverPort>(*option->receiver_, *option->clock_);
  } else {
    option->port_ = std::make_unique<link::QtSerialPort>();
  }
  link::SerialPort* used = option->port_.get();
  if (!trace_path.empty()) {
    option->trace_file_.open(trace_path, std::ios::out | std::ios::trunc);
    if (!option->trace_file_) {
      return std::unexpected(PortOptionError{65, trace_path + ": cannot be written"});
    }
    option->trace_ = std::make_unique<link::TracePort>(*used, *option->clock_, option->trace_file_);
    used = option->trace_.get();
  }
  option->link_ = std::make_unique<link::Link>(*used, *option->clock_);
  option->link_->SelectPort(port == "sim" ? "1" : port);
  return option;
}

int ReportLinkFailure(link::LinkResult result, const std::string& detail) {
  std::string text;
  for (char c : link::ResultText(result, detail)) {
    if (c != '\r') text += c;  // CR LF between the lines becomes LF here
  }
  std::cerr << "kestrel-cli: " << text << "\n";
  return link::Code(result);
}

}  // namespace kestrel::cli
