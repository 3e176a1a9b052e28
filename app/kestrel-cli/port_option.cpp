#include "port_option.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string_view>

#include "cli.h"
#include "files/path_text.h"

namespace kestrel::cli {
namespace {

// The test suites run the in-process receiver on virtual time, so that a whole transfer takes
// milliseconds and its timing is exact; users never set this.
bool SimulatedTimeIsVirtual() {
  const char* clock = std::getenv("KESTREL_SIM_CLOCK");
  return clock != nullptr && std::string_view(clock) == "virtual";
}

}  // namespace

std::expected<link::LinkSetup, PortOptionError> MakeLinkSetup(const std::string& port,
                                                              const std::string& trace_path) {
  const auto choice = link::ParsePortChoice(port);
  if (!choice) {
    return std::unexpected(PortOptionError{
        64, "--port takes a device name, a number 1 to 4, or sim; not '" + port + "'"});
  }
  link::LinkSetup setup{.port = *choice};
  if (choice->kind == link::PortChoice::Kind::kSimulated && SimulatedTimeIsVirtual()) {
    setup.clock = std::make_shared<link::VirtualClock>();
  }
  if (!trace_path.empty()) {
    auto trace =
        std::make_shared<std::ofstream>(PathFromUtf8(trace_path), std::ios::out | std::ios::trunc);
    if (!*trace) return std::unexpected(PortOptionError{65, trace_path + ": cannot be written"});
    setup.trace = std::move(trace);
  }
  return setup;
}

std::string PortLabel(const std::string& port) {
  constexpr std::string_view kDevices = "/dev/";
  return port.starts_with(kDevices) ? port.substr(kDevices.size()) : port;
}

int ExitStatusOf(link::LinkResult result) {
  switch (result) {
    case link::LinkResult::kPortUnavailable:
      return 1;
    case link::LinkResult::kReadFailed:
      return 2;
    case link::LinkResult::kWriteFailed:
      return 3;
    case link::LinkResult::kFrequencyNotProgrammable:
      return 4;
    case link::LinkResult::kNotEncodable:
      return 5;
    case link::LinkResult::kCancelled:
      return 6;
  }
  return kExitData;
}

int ReportLinkFailure(const link::LinkFailure& failure) {
  std::cerr << "kestrel-cli: " << link::ResultText(failure) << "\n";
  return ExitStatusOf(failure.code);
}

}  // namespace kestrel::cli
