#include "files/private_profile.h"

#include <optional>
#include <system_error>
#include <vector>

#include "files/file_io.h"
#include "files/output_file.h"

namespace kestrel {

namespace {

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxIniFileSize = 1024 * 1024;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

struct Line {
  std::size_t begin = 0;  // offset of the first character
  std::string_view text;  // without the line end
  std::size_t next = 0;   // offset after the line end
  bool has_end = false;   // false for a last line without CR LF or LF
};

std::vector<Line> SplitLines(std::string_view file) {
  std::vector<Line> lines;
  // A file saved by an editor as UTF-8 may start with a byte order mark; it is no part of a line.
  std::size_t pos = file.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (pos < file.size()) {
    std::size_t end = file.find('\n', pos);
    const bool has_end = end != std::string_view::npos;
    if (!has_end) end = file.size();
    std::string_view text = file.substr(pos, end - pos);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    lines.push_back({pos, text, has_end ? end + 1 : end, has_end});
    pos = end + 1;
  }
  return lines;
}

// The name of a "[Section]" line, or nullopt for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  return Trim(line.substr(0, line.find(']')));
}

// Where a key is, or would go.
struct Place {
  std::optional<std::size_t> section;  // index of the section's line
  std::size_t last_content = 0;        // index of its last non-blank line
  std::optional<std::size_t> key;      // index of the key's line
  std::size_t equals = 0;              // offset of "=" within the key's line
};

Place Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view text = lines[i].text;
    if (const auto name = SectionName(text)) {
      if (place.section) break;  // the first section of that name is the one used
      if (SameName(*name, section)) place.section = place.last_content = i;
      continue;
    }
    if (!place.section) continue;
    if (!Trim(text).empty()) place.last_content = i;
    const std::size_t equals = text.find('=');
    if (!place.key && equals != std::string_view::npos &&
        SameName(Trim(text.substr(0, equals)), key)) {
      place.key = i;
      place.equals = equals;
    }
  }
  return place;
}

bool FitsOnOneLine(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

std::string IniRead(const std::filesystem::path& path, std::string_view section,
                    std::string_view key, std::string_view fallback) {
  const auto file = ReadFileBytes(path, kMaxIniFileSize, "a settings file");
  if (!file) return std::string(fallback);
  const std::vector<Line> lines = SplitLines(*file);
  const Place place = Find(lines, section, key);
  if (!place.key) return std::string(fallback);
  std::string_view value = Trim(lines[*place.key].text.substr(place.equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kIniValueLimit));
}

bool IniWrite(const std::filesystem::path& path, std::string_view section, std::string_view key,
              std::string_view value) {
  if (section.empty() || Trim(key).empty() || !FitsOnOneLine(section) || !FitsOnOneLine(key) ||
      !FitsOnOneLine(value) || section.find(']') != std::string_view::npos ||
      key.find('=') != std::string_view::npos) {
    return false;
  }
  std::string file;
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) {
    auto bytes = ReadFileBytes(path, kMaxIniFileSize, "a settings file");
    if (!bytes) return false;  // never replace a file that could not be read
    file = std::move(*bytes);
  }
  // New lines end the way the file's first line does; CR LF in a new file.
  const std::size_t first_end = file.find('\n');
  const std::string_view newline =
      first_end == std::string::npos || (first_end > 0 && file[first_end - 1] == '\r') ? "\r\n"
                                                                                       : "\n";
  const std::vector<Line> lines = SplitLines(file);
  const Place place = Find(lines, section, key);
  const std::string key_line = std::string(key).append("=").append(value);

  if (place.key) {
    const Line& line = lines[*place.key];
    const std::size_t from = line.begin + place.equals + 1;
    file.replace(from, line.begin + line.text.size() - from, value);
  } else if (place.section) {
    const Line& last = lines[place.last_content];
    std::string insert = last.has_end ? "" : std::string(newline);
    insert += key_line;
    insert += newline;
    file.insert(last.next, insert);
  } else {
    if (!file.empty() && file.back() != '\n') file += newline;
    file.append("[").append(section).append("]").append(newline);
    file += key_line;
    file += newline;
  }
  return SaveFile(path, file).has_value();
}

}  // namespace kestrel
