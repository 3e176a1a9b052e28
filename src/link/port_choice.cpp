#include "link/port_choice.h"

#include <algorithm>

#include "link/port_names.h"

namespace kestrel::link {

std::string PortChoice::Text() const {
  switch (kind) {
    case Kind::kNumber:
      return std::to_string(number);
    case Kind::kDevice:
      return device;
    case Kind::kSimulated:
      return std::string(kSimulatedPortText) + (number > 1 ? std::to_string(number) : "");
    case Kind::kNone:
      break;
  }
  return "0";
}

std::optional<PortChoice> ParsePortChoice(std::string_view text) {
  if (text == kSimulatedPortText) return PortChoice::Simulated();
  if (text.size() == kSimulatedPortText.size() + 1 && text.starts_with(kSimulatedPortText)) {
    const char receiver = text.back();
    if (receiver >= '1' && receiver - '0' <= kSimulatedReceivers) {
      return PortChoice::Simulated(receiver - '0');
    }
  }
  if (text.size() == 1 && text[0] >= '1' && text[0] - '0' <= kComPorts) {
    return PortChoice::Number(text[0] - '0');
  }
  const bool number =
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (text.empty() || number) return std::nullopt;
#ifdef _WIN32
  return PortChoice::Device(WindowsPortName(text));
#else
  return PortChoice::Device(std::string(text));
#endif
}

}  // namespace kestrel::link
