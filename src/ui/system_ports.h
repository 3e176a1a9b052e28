// The serial ports the window offers beside the four COM numbers: each device once, so a system
// port that a COM number stands for is offered only as that number.
#pragma once

#include <QString>
#include <vector>

namespace kestrel::ui {

// The device the numbered port `number` (1 to 4) stands for now.
QString ComPortDevice(int number);

struct SystemPort {
  QString device;  // "/dev/ttyUSB0"
  QString text;    // the device and, where the system gives one, its description
};

// The ports the system lists now that no COM number stands for, in the system's order.
std::vector<SystemPort> SystemPortsBesideComNumbers();

}  // namespace kestrel::ui
