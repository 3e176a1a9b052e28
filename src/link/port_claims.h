// The serial ports this program's transfers hold, so that two workers never share a port: a
// transfer that finds its port held by another is refused before it sends anything.
#pragma once

#include <optional>
#include <string>

namespace kestrel::link {

class PortClaim {
 public:
  // Claims the port `name` for as long as the claim lives; nullopt while another claim holds it.
  // Names of one device count as one: "ttyUSB0", "/dev/ttyUSB0" and a symbolic link to it; on
  // Windows "COM3", "com3" and "\\.\COM3".
  static std::optional<PortClaim> Take(const std::string& name);

  PortClaim(PortClaim&& other) noexcept : key_(std::move(other.key_)) { other.key_.clear(); }
  PortClaim& operator=(PortClaim&& other) noexcept;
  PortClaim(const PortClaim&) = delete;
  ~PortClaim();

 private:
  explicit PortClaim(std::string key) : key_(std::move(key)) {}
  void Release() noexcept;
  std::string key_;  // empty once moved from
};

}  // namespace kestrel::link
