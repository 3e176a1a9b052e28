// Where kestrel-cli keeps its backups of reads: the "backups" folder in the user's data folder,
// the one the window uses (on Linux $XDG_DATA_HOME/kestrel/backups, by default
// ~/.local/share/kestrel/backups).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "image/memory_image.h"
#include "model/radio_config.h"

namespace kestrel::cli {

// nullopt when the system names no data folder for the user.
std::optional<std::filesystem::path> BackupFolder();

// Keeps a successful read of `port` as a backup; one that cannot be kept is a warning on stderr,
// never a failed read.
void KeepReadBackup(const RadioConfig& record, const MemoryImage& image, const std::string& port);

}  // namespace kestrel::cli
