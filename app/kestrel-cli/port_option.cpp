#include "port_option.h"

#include <fstream>
#include <iostream>
#include <memory>

namespace kestrel::cli {

std::expected<link::LinkSetup, PortOptionError> MakeLinkSetup(const std::string& port,
                                                              const std::string& trace_path) {
  const auto choice = link::ParsePortChoice(port);
  if (!choice) {
    return std::unexpected(PortOptionError{
        64, "--port takes a device name, a number 1 to 4, or sim; not '" + port + "'"});
  }
  link::LinkSetup setup{.port = *choice};
  if (!trace_path.empty()) {
    auto trace = std::make_shared<std::ofstream>(trace_path, std::ios::out | std::ios::trunc);
    if (!*trace) return std::unexpected(PortOptionError{65, trace_path + ": cannot be written"});
    setup.trace = std::move(trace);
  }
  return setup;
}

int ReportLinkFailure(const link::LinkFailure& failure) {
  std::string text;
  for (char c : link::ResultText(failure)) {
    if (c != '\r') text += c;  // CR LF between the lines becomes LF here
  }
  std::cerr << "kestrel-cli: " << text << "\n";
  return link::Code(failure.code);
}

}  // namespace kestrel::cli
