// The file names Windows keeps for its devices: CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9,
// in any case and with any extension ("aux.dat", "Com1.txt"), which open the device instead of a
// file. Plain text rules, so that they are the same wherever they are checked.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kestrel {

// The device a file name stands for on Windows, in capitals ("AUX" for "aux.dat"); none for any
// other name.
std::optional<std::string> WindowsDeviceName(const std::filesystem::path& file_name);

}  // namespace kestrel
