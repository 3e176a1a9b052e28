// Backups of what receivers held: every successful read is kept in a folder of the user's, as
// two files that share a name made of the time of the read and the port:
//   read-20261208T140212.345Z-ttyUSB0.dat  the configuration, as a data file
//   read-20261208T140212.345Z-ttyUSB0.bin  the memory image as read, with what the read knows
// (image_file.h), so that a backup can stand for the receiver when only changes are written.
// The time is UTC, so that names sort as the reads happened whatever the clocks did. The newest
// kBackupsKept are kept; older ones are removed. Only files named this way are ever touched.
#pragma once

#include <chrono>
#include <cstddef>
#include <expected>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/known_image.h"
#include "model/radio_config.h"

namespace kestrel {

inline constexpr std::size_t kBackupsKept = 100;

struct ReceiverBackup {
  std::chrono::system_clock::time_point when;  // to the millisecond
  std::string port;                            // as the name holds it ("ttyUSB0", "COM3", "sim")
  std::filesystem::path configuration;         // the .dat
  std::filesystem::path image;                 // the .bin; "" when it is missing
  std::optional<int> channels_in_use;          // nullopt when the configuration cannot be read

  bool operator==(const ReceiverBackup&) const = default;
};

// How `port` (as the command line and the COM menu name it) appears in a file name: a device's
// name under /dev ("ttyUSB0"), "COM1" to "COM4" for the menu's numbers, the name as given
// otherwise ("COM5", "sim"); characters a file name cannot safely hold become '_'.
std::string BackupPortName(std::string_view port);

// The name both files share, without the extension.
std::string BackupStem(std::chrono::system_clock::time_point when, std::string_view port);

// Keeps a read of `port` at `when` in `folder` (created when missing), then removes the oldest
// backups beyond kBackupsKept. The error names the file or folder and why; the read itself is
// never the worse for it.
std::expected<ReceiverBackup, std::string> KeepBackup(const std::filesystem::path& folder,
                                                      const RadioConfig& configuration,
                                                      const KnownImage& image,
                                                      std::string_view port,
                                                      std::chrono::system_clock::time_point when);

// The backups in `folder` that have their configuration, newest first; none when the folder is
// missing.
std::vector<ReceiverBackup> ListBackups(const std::filesystem::path& folder);

}  // namespace kestrel
