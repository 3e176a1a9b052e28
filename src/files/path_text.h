// File names as the UTF-8 text that the command line, Qt and the settings file carry, and back.
// A std::filesystem::path made from a plain std::string, or turned into one with .string(),
// goes through the system's narrow code page on Windows and garbles every letter outside it; these
// two go through char8_t, which is UTF-8 everywhere.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace kestrel
