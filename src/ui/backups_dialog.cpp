#include "ui/backups_dialog.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace kestrel::ui {

QString BackupTimeText(const ReceiverBackup& backup) {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(backup.when.time_since_epoch());
  return QDateTime::fromMSecsSinceEpoch(ms.count()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

BackupsDialog::BackupsDialog(const QString& folder, BackupAction open, BackupAction compare,
                             QWidget* parent)
    : QDialog(parent), folder_(folder), open_(std::move(open)), compare_(std::move(compare)) {
  setWindowTitle(tr("Receiver Backups"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Every successful read from a receiver is kept here; the newest "
                                  "%1 stay.")
                                   .arg(kBackupsKept)));
  list_ = new QTreeWidget(this);
  list_->setHeaderLabels({tr("When"), tr("Port"), tr("Channels in use")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->setMinimumSize(420, 240);
  layout->addWidget(list_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  open_button_ = buttons->addButton(tr("&Open"), QDialogButtonBox::ActionRole);
  compare_button_ = buttons->addButton(tr("&Compare"), QDialogButtonBox::ActionRole);
  folder_button_ = buttons->addButton(tr("Show &Folder"), QDialogButtonBox::ActionRole);
  if (!compare_) {
    compare_button_->setToolTip(
        tr("Comparing a backup with the open configuration is not "
           "available in this version."));
  }
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(open_button_, &QPushButton::clicked, this, [this] { Run(open_); });
  connect(compare_button_, &QPushButton::clicked, this, [this] { Run(compare_); });
  connect(list_, &QTreeWidget::itemActivated, this, [this] { Run(open_); });
  connect(folder_button_, &QPushButton::clicked, this,
          [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder_)); });
  connect(list_, &QTreeWidget::currentItemChanged, this, &BackupsDialog::UpdateButtons);
  Fill();
}

std::optional<ReceiverBackup> BackupsDialog::Current() const {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  if (row < 0 || static_cast<std::size_t>(row) >= backups_.size()) return std::nullopt;
  return backups_[static_cast<std::size_t>(row)];
}

void BackupsDialog::Fill() {
  backups_ = ListBackups(folder_.toStdU16String());
  for (const ReceiverBackup& backup : backups_) {
    const QString channels =
        backup.channels_in_use ? QString::number(*backup.channels_in_use) : QStringLiteral("?");
    auto* item = new QTreeWidgetItem(
        list_, {BackupTimeText(backup), QString::fromStdString(backup.port), channels});
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    item->setToolTip(
        0, QDir::toNativeSeparators(QString::fromStdU16String(backup.configuration.u16string())));
  }
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  folder_button_->setEnabled(QDir(folder_).exists());
  UpdateButtons();
}

void BackupsDialog::Run(const BackupAction& action) {
  if (const auto backup = Current(); backup && action) action(*backup);
}

void BackupsDialog::UpdateButtons() {
  const bool chosen = Current().has_value();
  open_button_->setEnabled(chosen);
  compare_button_->setEnabled(chosen && compare_);
}

}  // namespace kestrel::ui
