#include "files/windows_names.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "files/path_text.h"

namespace kestrel {

std::optional<std::string> WindowsDeviceName(const std::filesystem::path& file_name) {
  const std::string name = Utf8FromPath(file_name.filename());
  // Windows drops blanks before the extension and at the end: "con .txt" is CON as well.
  std::string device = name.substr(0, name.find('.'));
  while (!device.empty() && device.back() == ' ') device.pop_back();
  std::ranges::transform(device, device.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  static constexpr std::array<std::string_view, 4> kPlain{"CON", "PRN", "AUX", "NUL"};
  if (std::ranges::find(kPlain, device) != kPlain.end()) return device;
  const bool numbered = device.size() == 4 &&
                        (device.starts_with("COM") || device.starts_with("LPT")) &&
                        device[3] >= '1' && device[3] <= '9';
  if (numbered) return device;
  return std::nullopt;
}

}  // namespace kestrel
