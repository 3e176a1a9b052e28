#include "files/settings.h"

#include <cstdint>
#include <limits>
#include <system_error>

#include "files/file_io.h"
#include "model/number_text.h"

namespace kestrel {

namespace {

constexpr std::string_view kComSection = "COM_SETTINGS";
constexpr std::string_view kPrintSection = "PRINT_SETTINGS";

// The stored values are 16-bit; anything else is not a value this program wrote.
int ReadNumber(const std::filesystem::path& path, std::string_view section, std::string_view key,
               int fallback) {
  const std::optional<std::int64_t> value =
      ParseWholeNumber(IniRead(path, section, key, std::to_string(fallback)));
  if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
      *value > std::numeric_limits<std::int16_t>::max()) {
    return fallback;
  }
  return static_cast<int>(*value);
}

void WriteNumber(const std::filesystem::path& path, std::string_view section, std::string_view key,
                 int value) {
  IniWrite(path, section, key, SignReservedText(value));
}

}  // namespace

std::filesystem::path SettingsFilePath(const std::filesystem::path& program_dir,
                                       const std::filesystem::path& user_config_dir) {
  std::filesystem::path in_program = program_dir / kSettingsFileName;
  std::error_code ec;
  if (std::filesystem::exists(in_program, ec) || IsWritableFolder(program_dir)) return in_program;
  std::filesystem::create_directories(user_config_dir, ec);
  return user_config_dir / kSettingsFileName;
}

int LoadComPort(const std::filesystem::path& path) {
  return ReadNumber(path, kComSection, "COMport", 1);
}

void SaveComPort(const std::filesystem::path& path, int port) {
  WriteNumber(path, kComSection, "COMport", port);
}

std::string LoadComPortName(const std::filesystem::path& path) {
  return IniRead(path, kComSection, "COMportName", "");
}

void SaveComPortName(const std::filesystem::path& path, const std::string& name) {
  IniWrite(path, kComSection, "COMportName", name);
}

PrintSettings LoadPrintSettings(const std::filesystem::path& path) {
  PrintSettings settings;
  settings.SetMode = ReadNumber(path, kPrintSection, "SetMode", 0);
  settings.Memory = ReadNumber(path, kPrintSection, "Memory", 0);
  settings.SearchBandMemory = ReadNumber(path, kPrintSection, "SearchBandMemory", 0);
  settings.FactorySetting = ReadNumber(path, kPrintSection, "FactorySetting", 0);
  return settings;
}

void SavePrintSettings(const std::filesystem::path& path, const PrintSettings& settings) {
  WriteNumber(path, kPrintSection, "SetMode", settings.SetMode);
  WriteNumber(path, kPrintSection, "Memory", settings.Memory);
  WriteNumber(path, kPrintSection, "SearchBandMemory", settings.SearchBandMemory);
  WriteNumber(path, kPrintSection, "FactorySetting", settings.FactorySetting);
}

}  // namespace kestrel
