// kestrel-cli ports: the serial ports the system has now, as --port takes them.
#include <iostream>

#include "commands.h"
#include "link/port_choice.h"
#include "link/qt/qt_serial_port.h"

namespace kestrel::cli {

namespace {

int RunPorts(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {}, {});
  if (!args) return Usage(PortsCommand());
  if (args->help) return Usage(PortsCommand(), true);
  if (!args->positional.empty()) return Usage(PortsCommand());
  const std::vector<link::PortDescription> ports = link::SystemPortsNow();
  for (const link::PortDescription& port : ports) {
    std::cout << port.name;
    if (!port.description.empty()) std::cout << "  " << port.description;
    if (port.usb_serial) std::cout << "  (USB serial adapter)";
    std::cout << "\n";
  }
  if (ports.empty()) std::cerr << "kestrel-cli: this system has no serial ports now\n";
  return kExitOk;
}

}  // namespace

Command PortsCommand() {
  return {
      "ports",
      "ports",
      "Lists the serial ports the system has now, one a line: the name --port takes\n"
      "(/dev/ttyUSB0, COM3), the system's description, and whether it is a USB serial adapter.\n"
      "--port 1 to 4 are the COM menu's numbers: COM1 to COM4 on Windows, elsewhere the first\n"
      "four of these in this order. --port sim is the simulated receiver.",
      RunPorts,
  };
}

}  // namespace kestrel::cli
