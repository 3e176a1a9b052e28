// The settings file "Heron.ini": the serial port and the print choices kept between runs.
//
//   [COM_SETTINGS]    COMport (1 to 4, default 1), COMportName (a device name or "sim")
//   [PRINT_SETTINGS]  SetMode, Memory, SearchBandMemory, FactorySetting (0 or 1, default 0)
//
// Numbers are written with a blank reserved for the sign ("COMport= 1"). A value that is not a
// whole number reads as the key's default. A failed write changes nothing on the disk and is
// not reported: the program goes on with the value it holds.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "files/private_profile.h"

namespace kestrel {

inline constexpr std::string_view kSettingsFileName = "Heron.ini";

// Where the settings file lives: in the program's folder when the program may change a Heron.ini
// there, or create one (the portable, traditional place); otherwise in the user's configuration
// folder, which is created when missing, because settings in a folder nobody may write would
// never be kept. A Heron.ini shipped in a program folder the user cannot write (Program Files, a
// macOS bundle, /usr/bin), or marked read-only, is where the user's own file starts from: it is
// copied there once, and the user's changes go to the copy.
std::filesystem::path SettingsFilePath(const std::filesystem::path& program_dir,
                                       const std::filesystem::path& user_config_dir);

// The port number of the COM menu, as stored; the caller decides what a number outside 1 to 4
// means.
int LoadComPort(const std::filesystem::path& path);
void SaveComPort(const std::filesystem::path& path, int port);

// The serial device last chosen by name ("/dev/ttyUSB0", "COM7", "sim"); "" when none was.
std::string LoadComPortName(const std::filesystem::path& path);
void SaveComPortName(const std::filesystem::path& path, const std::string& name);

// The tick boxes of the print selection: 0 not ticked, 1 ticked.
struct PrintSettings {
  int SetMode = 0;
  int Memory = 0;
  int SearchBandMemory = 0;
  int FactorySetting = 0;
  bool operator==(const PrintSettings&) const = default;
};

PrintSettings LoadPrintSettings(const std::filesystem::path& path);
void SavePrintSettings(const std::filesystem::path& path, const PrintSettings& settings);

}  // namespace kestrel
