// The lines of a data file's text, and where a channel's fields stand among them.
#pragma once

#include <algorithm>
#include <map>
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

// `text` with the lines given by their 1-based numbers replaced.
inline std::string WithLines(const std::string& text, const std::map<int, std::string>& lines) {
  std::vector<std::string> all = SplitCrLf(text);
  for (const auto& [number, line] : lines) all.at(static_cast<std::size_t>(number - 1)) = line;
  return JoinCrLf(all);
}

// The 1-based line of channel `number`'s field `field` (0 InUse, 1 Frequency, ... 11 TrainTone).
inline int ChannelLine(int number, int field) {
  return 37 + (number - 1) * 12 + field;
}

}  // namespace kestrel::testing
