#include "backup_folder.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <chrono>
#include <iostream>

#include "files/receiver_backups.h"
#include "link/write_changes.h"

namespace kestrel::cli {

std::optional<std::filesystem::path> BackupFolder() {
  // The data folder is named after the program; the window's is called "kestrel".
  QCoreApplication::setApplicationName(QStringLiteral("kestrel"));
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (data.isEmpty()) return std::nullopt;
  return std::filesystem::path(data.toStdU16String()) / "backups";
}

void KeepReadBackup(const RadioConfig& record, const MemoryImage& image, const std::string& port) {
  constexpr std::string_view kWarning = "kestrel-cli: warning: the read was not kept as a backup: ";
  const auto folder = BackupFolder();
  if (!folder) {
    std::cerr << kWarning << "the system names no data folder for this user\n";
    return;
  }
  const auto kept = KeepBackup(*folder, record, link::KnowledgeOfRead(image), port,
                               std::chrono::system_clock::now());
  if (!kept) std::cerr << kWarning << kept.error() << "\n";
}

}  // namespace kestrel::cli
