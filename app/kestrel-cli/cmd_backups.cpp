// kestrel-cli backups: the reads kept as backups, newest first.
#include <QDateTime>
#include <iostream>

#include "backup_folder.h"
#include "commands.h"
#include "files/path_text.h"
#include "files/receiver_backups.h"

namespace kestrel::cli {

namespace {

// The time of a read in the user's local time, to the second.
std::string LocalTimeText(std::chrono::system_clock::time_point when) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
  return QDateTime::fromMSecsSinceEpoch(ms.count())
      .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
      .toStdString();
}

int RunBackups(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {}, {});
  if (!args) return Usage(BackupsCommand());
  if (args->help) return Usage(BackupsCommand(), true);
  if (!args->positional.empty()) return Usage(BackupsCommand());

  const auto folder = BackupFolder();
  const std::vector<ReceiverBackup> backups =
      folder ? ListBackups(*folder) : std::vector<ReceiverBackup>{};
  if (backups.empty()) {
    std::cerr << "kestrel-cli: no backups in " << (folder ? folder->string() : "the data folder")
              << "\n";
  }
  for (const ReceiverBackup& backup : backups) {
    const std::string channels =
        backup.channels_in_use ? std::to_string(*backup.channels_in_use) : "?";
    std::cout << LocalTimeText(backup.when) << "  " << backup.port << "  " << channels
              << " channels in use  " << Utf8FromPath(backup.configuration) << "\n";
  }
  return kExitOk;
}

}  // namespace

Command BackupsCommand() {
  return {"backups", "backups",
          "Lists the reads kept as backups, newest first, one a line: when (local time), the\n"
          "port, the channels in use and the backup's data file. Beside each data file the\n"
          "memory image as read is kept under the same name ending in .bin, with what the read\n"
          "knows of the receiver, for program --changes-from. Every read keeps one (unless\n"
          "read --no-backup); the newest 100 are kept. They are in the folder \"backups\" of the\n"
          "user's data folder ($XDG_DATA_HOME/kestrel/backups, by default\n"
          "~/.local/share/kestrel/backups, on Linux), the one the window uses.\n"
          "Exit status: 0, also when there are none.",
          RunBackups};
}

}  // namespace kestrel::cli
