// The reads kept as backups: keeping each successful read, and File > "Receiver Backups...".
#include <QDateTime>
#include <QDir>
#include <chrono>

#include "files/config_source.h"
#include "files/image_file.h"
#include "files/receiver_backups.h"
#include "link/write_changes.h"
#include "model/defaults.h"
#include "ui/backups_dialog.h"
#include "ui/document_storage.h"
#include "ui/feedback.h"
#include "ui/main_window.h"
#include "ui/search_band_page.h"
#include "ui/window_title.h"

namespace kestrel::ui {

namespace {

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

// "2026-12-08 14:02", in local time.
QString BackupTime(const ReceiverBackup& backup) {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(backup.when.time_since_epoch());
  return QDateTime::fromMSecsSinceEpoch(ms.count()).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

}  // namespace

BackupsDialog* MainWindow::OpenBackupsDialog() const {
  return backups_dialog_.data();
}

void MainWindow::KeepReadBackup(const RadioConfig& record, const MemoryImage& image) {
  if (setup_.backups_folder.isEmpty()) return;
  const auto kept =
      KeepBackup(NativePath(setup_.backups_folder), record, link::KnowledgeOfRead(image),
                 port_.Text(), std::chrono::system_clock::now());
  if (!kept) {
    CurrentFeedback().ShowStatus(
        this,
        tr("The read was not kept as a backup: %1").arg(QString::fromStdString(kept.error())));
  }
}

void MainWindow::ShowReceiverBackups() {
  if (backups_dialog_) {
    backups_dialog_->raise();
    backups_dialog_->activateWindow();
    return;
  }
  auto* dialog = new BackupsDialog(
      setup_.backups_folder, [this](const ReceiverBackup& backup) { OpenBackup(backup); },
      [this](const ReceiverBackup& backup) { CompareWithBackup(backup); }, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  backups_dialog_ = dialog;
  dialog->open();
}

void MainWindow::OpenBackup(const ReceiverBackup& backup) {
  ConfirmLeaving([this, backup] {
    const QString path = QString::fromStdU16String(backup.configuration.u16string());
    auto loaded = DataFileStorage().Load(path, NewConfiguration());
    if (!loaded) {
      CurrentFeedback().Warning(
          this, ApplicationTitle(),
          tr("The file %1 %2.").arg(QDir::toNativeSeparators(path), loaded.error().reason) +
              "\n\n" + tr("The configuration was not changed."));
      return;
    }
    const auto contents = LoadImageFileContents(backup.image);
    ApplyChosenDiscards();
    band_page_->CloseEditFrame();
    if (contents) document_.Image() = contents->image;
    document_.Replace(*loaded, QString());
    if (contents && contents->known) {
      TakeReceiverKnowledge(*contents->known, backup);
    }
    if (backups_dialog_) backups_dialog_->accept();
  });
}

void MainWindow::CompareWithBackup(const ReceiverBackup& backup) {
  SettlePendingEdits([this, backup] {
    const auto other = LoadConfigurationSource(backup.configuration);
    if (!other) {
      CurrentFeedback().Warning(this, tr("Warning"), QString::fromStdString(other.error()));
      return;
    }
    ShowComparison(tr("Compare with Backup"),
                   tr("From the backup of %1 to the open configuration:").arg(BackupTime(backup)),
                   CompareConfigurations(*other, document_.Record()));
  });
}

void MainWindow::TakeReceiverKnowledge(const KnownImage& known, const ReceiverBackup& from) {
  // The backup names the port as a file name can hold it; the chosen port stands for it when
  // it is that one.
  const QString port =
      BackupPortName(port_.Text()) == from.port ? Port() : QString::fromStdString(from.port);
  KnowReceiver(known, port,
               tr("read at %1 on %2, as a backup keeps it")
                   .arg(BackupTime(from), QString::fromStdString(from.port)));
}

}  // namespace kestrel::ui
