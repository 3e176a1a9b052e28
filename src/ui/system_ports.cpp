#include "ui/system_ports.h"

#include <QSerialPortInfo>
#include <QStringList>

#include "link/port_choice.h"
#include "link/qt/qt_serial_port.h"

namespace kestrel::ui {

QString ComPortDevice(int number) {
  return QString::fromStdString(link::ComPortDeviceName(number));
}

std::vector<SystemPort> SystemPortsBesideComNumbers() {
  QStringList numbered;
  for (int number = 1; number <= link::kComPorts; ++number) numbered << ComPortDevice(number);
  std::vector<SystemPort> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (!link::IsCallOutDevice(info)) continue;
#if defined(Q_OS_WIN)
    const QString device = info.portName();  // "COM3", not "\\.\COM3"
#else
    const QString device = info.systemLocation();
#endif
    if (numbered.contains(device)) continue;
    ports.push_back({device, info.description().isEmpty()
                                 ? device
                                 : QStringLiteral("%1  (%2)").arg(device, info.description())});
  }
  return ports;
}

}  // namespace kestrel::ui
