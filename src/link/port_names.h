// Serial port names as Windows users write them. "COM3", "com3" and "\\.\COM3" name one port;
// Windows opens COM1 to COM9 by their plain names but COM10 and above only in the device form
// "\\.\COM10", which works for every port.
#pragma once

#include <string>
#include <string_view>

namespace kestrel::link {

// The name users know: "COM3" for "com3" and "\\.\COM3"; other names as they are.
std::string WindowsPortName(std::string_view name);

// The device form that opens the port: "\\.\COM10" for "com10"; other names as they are.
std::string WindowsDevicePath(std::string_view name);

}  // namespace kestrel::link
