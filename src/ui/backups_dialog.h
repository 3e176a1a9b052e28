// File > "Receiver Backups...": the reads kept as backups, newest first (when, port, channels in
// use), with Open, Compare and Show Folder. The dialog only lists and asks: what Open and Compare
// do is the window's.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "files/receiver_backups.h"

class QPushButton;
class QTreeWidget;

namespace kestrel::ui {

class BackupsDialog : public QDialog {
  Q_OBJECT

 public:
  using BackupAction = std::function<void(const ReceiverBackup&)>;

  // Lists the backups in `folder`. `open` runs for Open (and a double-click or Enter on a row),
  // `compare` for Compare; without `compare` the button stays disabled and says why.
  BackupsDialog(const QString& folder, BackupAction open, BackupAction compare,
                QWidget* parent = nullptr);

  QTreeWidget* List() const { return list_; }
  QPushButton* OpenButton() const { return open_button_; }
  QPushButton* CompareButton() const { return compare_button_; }
  QPushButton* ShowFolderButton() const { return folder_button_; }

  // The backup of the current row.
  std::optional<ReceiverBackup> Current() const;

 private:
  void Fill();
  void Run(const BackupAction& action);
  void UpdateButtons();

  QString folder_;
  BackupAction open_;
  BackupAction compare_;
  std::vector<ReceiverBackup> backups_;
  QTreeWidget* list_ = nullptr;
  QPushButton* open_button_ = nullptr;
  QPushButton* compare_button_ = nullptr;
  QPushButton* folder_button_ = nullptr;
};

// When a backup's read was, as the dialog shows it: the user's local time, to the second.
QString BackupTimeText(const ReceiverBackup& backup);

}  // namespace kestrel::ui
