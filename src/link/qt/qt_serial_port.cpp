#include "link/qt/qt_serial_port.h"

#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <vector>

#include "link/port_names.h"
#include "link/port_system.h"

namespace kestrel::link {
namespace {

constexpr int kWriteTimeoutMs = 1000;

std::string Text(const QString& text) {
  return text.toStdString();
}

OpenRefusal RefusalOf(QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return OpenRefusal::kNotFound;
    case QSerialPort::PermissionError:
      return OpenRefusal::kPermission;
    case QSerialPort::ResourceError:
      return OpenRefusal::kResource;
    default:
      return OpenRefusal::kOther;
  }
}

}  // namespace

QtSerialPort::QtSerialPort() = default;
QtSerialPort::~QtSerialPort() {
  Close();
}

std::expected<void, OpenFailure> QtSerialPort::Open(const std::string& name) {
  Close();
  auto port = std::make_unique<QSerialPort>();
#if defined(_WIN32)
  port->setPortName(QString::fromStdString(WindowsDevicePath(name)));  // COM10 and above
#else
  port->setPortName(QString::fromStdString(name));
#endif
  if (!port->open(QIODevice::ReadWrite)) {
    return std::unexpected(
        ExplainOpenFailure(name, RefusalOf(port->error()), Text(port->errorString())));
  }
  const bool configured =
      port->setBaudRate(QSerialPort::Baud38400) && port->setDataBits(QSerialPort::Data8) &&
      port->setParity(QSerialPort::NoParity) && port->setStopBits(QSerialPort::OneStop) &&
      port->setFlowControl(QSerialPort::NoFlowControl);
  if (!configured) {
    const std::string why = Text(port->errorString());
    port->close();
    return std::unexpected(
        ExplainOpenFailure(name, OpenRefusal::kOther, "settings refused, " + why));
  }
  port_ = std::move(port);
  name_ = name;
  problem_.clear();
  SetDtr(true);
  return {};
}

void QtSerialPort::Close() {
  if (!port_) return;
  port_->close();
  port_.reset();
  name_.clear();
}

bool QtSerialPort::IsOpen() const {
  return port_ && port_->isOpen();
}

void QtSerialPort::SetRts(bool on) {
  // Pseudo-terminals and some adapters have no modem-control lines; that is harmless here.
  if (port_ && !port_->setRequestToSend(on)) port_->clearError();
}

void QtSerialPort::SetDtr(bool on) {
  if (port_ && !port_->setDataTerminalReady(on)) port_->clearError();
}

PortInput QtSerialPort::Failure(const std::string& what) {
  if (problem_.empty()) {
    problem_ = "The serial port " + name_ + " stopped working (" + what + ").";
  }
  return PortInput::Failed(problem_);
}

bool QtSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (!port_ || !problem_.empty()) return false;
  const auto size = static_cast<qint64>(bytes.size());
  // Without an event loop the bytes leave Qt's buffer only inside waitForBytesWritten.
  if (port_->write(reinterpret_cast<const char*>(bytes.data()), size) != size ||
      (port_->bytesToWrite() > 0 && !port_->waitForBytesWritten(kWriteTimeoutMs))) {
    Failure(Text(port_->errorString()));
    return false;
  }
  return true;
}

PortInput QtSerialPort::Receive(std::uint32_t timeout_ms) {
  if (!port_) return PortInput::Failed("The serial port is not open.");
  if (!problem_.empty()) return PortInput::Failed(problem_);
  if (port_->bytesAvailable() == 0 && !port_->waitForReadyRead(static_cast<int>(timeout_ms))) {
    const auto error = port_->error();
    if (error == QSerialPort::TimeoutError || error == QSerialPort::NoError) {
      port_->clearError();
      return PortInput::Timeout();
    }
    return Failure(Text(port_->errorString()));
  }
  char byte = 0;
  if (!port_->getChar(&byte)) return Failure(Text(port_->errorString()));
  return PortInput::Byte(static_cast<std::uint8_t>(byte));
}

std::string QtSerialPort::NameForNumber(int number) const {
  return ComPortDeviceName(number);
}

std::vector<PortDescription> QtSerialPort::PortsNow() const {
  return SystemPortsNow();
}

std::vector<PortDescription> SystemPortsNow() {
  std::vector<PortDescription> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (!IsCallOutDevice(info)) continue;
#if defined(_WIN32)
    const std::string name = Text(info.portName());  // "COM3", as Windows users know it
#else
    const std::string name = Text(info.systemLocation());
#endif
    // Only USB devices carry a vendor identifier.
    ports.push_back({name, Text(info.description()), info.hasVendorIdentifier()});
  }
  std::sort(ports.begin(), ports.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  return ports;
}

bool IsCallOutDevice(const QSerialPortInfo& info) {
#if defined(__APPLE__)
  // macOS lists each port twice; its /dev/tty.* side waits for the modem's carrier before it
  // opens, which a receiver never raises, and its /dev/cu.* side opens at once.
  return !info.systemLocation().startsWith(QStringLiteral("/dev/tty."));
#else
  (void)info;
  return true;
#endif
}

std::string ComPortDeviceName(int number) {
  if (number < 1 || number > kComPorts) return {};
#if defined(_WIN32)
  return "COM" + std::to_string(number);
#else
  std::vector<std::string> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (!IsCallOutDevice(info)) continue;
    ports.push_back(Text(info.systemLocation()));
  }
  std::sort(ports.begin(), ports.end());
  const auto index = static_cast<std::size_t>(number - 1);
  if (index < ports.size()) return ports[index];
  return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

}  // namespace kestrel::link
