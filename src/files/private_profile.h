// A reader and writer of private-profile ("INI") files with the behaviour of the Windows
// functions they stand in for: "[Section]" lines open sections, "Key=Value" lines hold values,
// section and key names match without regard to case. A write changes only the one key's line
// (or adds the key at the end of its section, or the section at the end of the file) and keeps
// every other byte: comments, blank lines, other sections and the exact text of other keys.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

// The longest value IniRead returns; longer values are cut.
inline constexpr std::size_t kIniValueLimit = 249;

// The value of `key` in `section`, without the blanks around it (and without quotes around it,
// as the platform reader does), cut to kIniValueLimit characters; `fallback` when the file,
// the section or the key is missing.
std::string IniRead(const std::filesystem::path& path, std::string_view section,
                    std::string_view key, std::string_view fallback);

// Sets `key` in `section` to `value`, creating the file and the section when missing. False
// when the file cannot be written, or when a name or the value cannot be held on one line.
bool IniWrite(const std::filesystem::path& path, std::string_view section, std::string_view key,
              std::string_view value);

}  // namespace kestrel
