// The real serial line through Qt Serial Port, in blocking mode: for use on the worker thread that
// runs a transfer (the port is created on the thread that opens it and must stay there). That
// thread needs Qt's event dispatcher: a QThread, or the main thread of a QCoreApplication;
// elsewhere Qt warns that it cannot watch the port, although the blocking calls still work. Line
// settings "38400,n,8,1" without flow control; DTR on at open. A pseudo-terminal (kestrel-sim)
// works too: modem-control lines that a pty cannot set are not an error.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/serial_port.h"

class QSerialPort;
class QSerialPortInfo;

namespace kestrel::link {

class QtSerialPort final : public SerialPort {
 public:
  QtSerialPort();
  ~QtSerialPort() override;

  // Why an open failed is found from the system's answer (see port_system.h).
  std::expected<void, OpenFailure> Open(const std::string& name) override;
  void Close() override;
  bool IsOpen() const override;
  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  PortInput Receive(std::uint32_t timeout_ms) override;

  // ComPortDeviceName(number).
  std::string NameForNumber(int number) const override;
  // SystemPortsNow().
  std::vector<PortDescription> PortsNow() const override;

 private:
  PortInput Failure(const std::string& what);

  std::unique_ptr<QSerialPort> port_;
  std::string name_;
  std::string problem_;  // set once the open port has stopped working
};

// The device of the COM menu's port `number` (1 to 4): "COM1".."COM4" on Windows; elsewhere the
// first four serial ports the system lists, sorted by name, else /dev/ttyS0../dev/ttyS3. "" for
// other numbers.
std::string ComPortDeviceName(int number);

// The serial ports the system lists now, sorted by name.
std::vector<PortDescription> SystemPortsNow();

// False for a port that waits for a modem's carrier before it opens (macOS's /dev/tty.* side of
// each port), which the port lists leave out.
bool IsCallOutDevice(const QSerialPortInfo& info);

}  // namespace kestrel::link
