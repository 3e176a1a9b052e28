#include "files/settings.h"

#include <cstdint>
#include <limits>
#include <system_error>

#include "files/file_io.h"
#include "files/output_file.h"
#include "model/number_text.h"

namespace kestrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kComSection = "COM_SETTINGS";
constexpr std::string_view kPrintSection = "PRINT_SETTINGS";
constexpr std::size_t kMaxSettingsFileSize = 1024 * 1024;

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

// A save replaces the file through a new one beside it, so both the folder and the file must
// take changes; a file marked read-only is one its owner means to keep as it is.
bool CanReplace(const fs::path& file) {
  std::error_code ec;
  const fs::perms perms = fs::status(file, ec).permissions();
  return !ec && (perms & fs::perms::owner_write) != fs::perms::none &&
         IsWritableFolder(file.parent_path());
}

}  // namespace

fs::path SettingsFilePath(const fs::path& program_dir, const fs::path& user_config_dir) {
  fs::path in_program = program_dir / kSettingsFileName;
  fs::path in_user = user_config_dir / kSettingsFileName;
  std::error_code ec;
  const bool shipped = fs::exists(in_program, ec);
  if (shipped ? CanReplace(in_program) : IsWritableFolder(program_dir)) return in_program;
  fs::create_directories(user_config_dir, ec);
  if (!shipped || fs::exists(in_user, ec)) return in_user;
  // The user's changes start from the shipped settings; when they cannot be copied, the
  // shipped ones are at least read.
  const auto bytes = ReadFileBytes(in_program, kMaxSettingsFileSize, "a settings file");
  if (bytes && SaveFile(in_user, *bytes)) return in_user;
  return in_program;
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
