// The lines of a data file's text, and where a channel's fields stand among them.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace kestrel::testing {

// The lines of `text`, each without its CR LF, and back.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t pos = 0, end = 0; pos < text.size(); pos = end + 2) {
    end = std::min(text.find("\r\n", pos), text.size());
    lines.push_back(text.substr(pos, end - pos));
  }
  return lines;
}

inline std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The 1-based line of channel `number`'s field `field` (0 InUse, 1 Frequency, ... 11 TrainTone).
inline int ChannelLine(int number, int field) {
  return 37 + (number - 1) * 12 + field;
}

}  // namespace kestrel::testing
