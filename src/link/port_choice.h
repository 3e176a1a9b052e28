// The port a transfer uses, as the user chooses it: one of the COM menu's numbered ports 1 to 4,
// a serial device by name ("/dev/ttyUSB0", "COM5"), or a simulated receiver. As text, on the
// command line and in the settings file: "1" to "4", the device name, or "sim" (the simulated
// receiver, number 1) and "sim2" to "sim8" (further ones, for programming several at once).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrel::link {

inline constexpr std::string_view kSimulatedPortText = "sim";
inline constexpr int kSimulatedReceivers = 8;
// The COM menu's numbered ports are 1 to kComPorts.
inline constexpr int kComPorts = 4;

struct PortChoice {
  enum class Kind { kNone, kNumber, kDevice, kSimulated };

  Kind kind = Kind::kNone;  // nothing chosen yet: opening the port fails
  int number = 0;           // 1 to 4, for kNumber; 1 to 8, which receiver, for kSimulated
  std::string device;       // for kDevice

  static PortChoice Number(int number) { return {Kind::kNumber, number, {}}; }
  static PortChoice Device(std::string name) { return {Kind::kDevice, 0, std::move(name)}; }
  static PortChoice Simulated(int receiver = 1) { return {Kind::kSimulated, receiver, {}}; }

  // "1" to "4", the device name, "sim" or "sim2" to "sim8"; "0" when nothing is chosen.
  std::string Text() const;

  bool operator==(const PortChoice&) const = default;
};

// "1" to "4", "sim", "sim1" to "sim8", or any other text as a device name (on Windows as
// WindowsPortName gives it: "com3" is COM3). Empty text and other numbers choose nothing.
std::optional<PortChoice> ParsePortChoice(std::string_view text);

}  // namespace kestrel::link
