// What the operating system says about a serial device that could not be opened: whether it
// exists, the group that owns it, the program whose lock file holds it and the error an open
// gets. The one file of the link with system calls of its own; Windows has a branch beside Unix.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/serial_port.h"

namespace kestrel::link {

// How the serial backend refused an open, before the system is asked why.
enum class OpenRefusal { kNotFound, kPermission, kResource, kOther };

// The device a port name stands for: "/dev/ttyUSB0" for "ttyUSB0"; Windows names as they are.
std::string DevicePath(const std::string& name);

// The group owning the device, by name ("dialout"); "" when it cannot be found out.
std::string DeviceGroup(const std::string& path);

struct LockHolder {
  int pid = 0;
  std::string name;  // the program's, "" when unknown
};

// Where serial programs put the lock file of a device ("/var/lock/LCK..ttyUSB0"), in the order
// they look.
std::vector<std::string> LockFilePaths(const std::string& path);

// The running program whose lock file holds the device.
std::optional<LockHolder> LockHolderOf(const std::string& path);

// Why `name` could not be opened, found from the system's own answer; `platform_text` is the
// backend's words for an error the system does not explain.
OpenFailure ExplainOpenFailure(const std::string& name, OpenRefusal refusal,
                               const std::string& platform_text);

}  // namespace kestrel::link
