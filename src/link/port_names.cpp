#include "link/port_names.h"

#include <algorithm>

namespace kestrel::link {
namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";

bool IsComName(std::string_view name) {
  if (name.size() < 4) return false;
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  const bool com = lower(name[0]) == 'c' && lower(name[1]) == 'o' && lower(name[2]) == 'm';
  return com && name[3] != '0' &&
         std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string WindowsPortName(std::string_view name) {
  std::string_view plain = name;
  if (plain.starts_with(kDevicePrefix)) plain.remove_prefix(kDevicePrefix.size());
  if (IsComName(plain)) return std::string("COM").append(plain.substr(3));
  return std::string(name);  // other devices (a virtual port's "\\.\CNCA0") open as given
}

std::string WindowsDevicePath(std::string_view name) {
  std::string plain = WindowsPortName(name);
  if (!IsComName(plain)) return std::string(name);
  std::string path(kDevicePrefix);
  path += plain;
  return path;
}

}  // namespace kestrel::link
