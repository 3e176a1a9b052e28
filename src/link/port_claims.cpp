#include "link/port_claims.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <set>

#include "link/port_names.h"

namespace kestrel::link {
namespace {

std::mutex claims_mutex;
std::set<std::string> claimed;

// The device a name reaches, as the serial backend resolves it.
std::string DeviceKey(const std::string& name) {
#ifdef _WIN32
  // Windows' device names do not tell capitals from small letters.
  std::string key = WindowsPortName(name);
  std::ranges::transform(key, key.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return key;
#else
  const std::filesystem::path path = name.find('/') == std::string::npos
                                         ? std::filesystem::path("/dev") / name
                                         : std::filesystem::path(name);
  std::error_code error;
  const std::filesystem::path device = std::filesystem::weakly_canonical(path, error);
  return error ? path.string() : device.string();
#endif
}

}  // namespace

std::optional<PortClaim> PortClaim::Take(const std::string& name) {
  std::string key = DeviceKey(name);
  const std::lock_guard lock(claims_mutex);
  if (!claimed.insert(key).second) return std::nullopt;
  return PortClaim(std::move(key));
}

PortClaim& PortClaim::operator=(PortClaim&& other) noexcept {
  if (this != &other) {
    Release();
    key_ = std::move(other.key_);
    other.key_.clear();
  }
  return *this;
}

PortClaim::~PortClaim() {
  Release();
}

void PortClaim::Release() noexcept {
  if (key_.empty()) return;
  const std::lock_guard lock(claims_mutex);
  claimed.erase(key_);
  key_.clear();
}

}  // namespace kestrel::link
