// Splitting a data file's text into lines and joining them again, for tests that edit files.
#pragma once

#include <string>
#include <vector>

namespace kestrel::testing {

// The lines of `text`, each without its CR LF.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

inline std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The line of channel `number`'s field `field` (0 InUse, 1 Frequency, 2 Name, ... 11 TrainTone).
inline int ChannelLine(int number, int field) {
  return 37 + (number - 1) * 12 + field;
}

}  // namespace kestrel::testing
