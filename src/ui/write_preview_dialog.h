// Before Write Changes writes: what will change on the receiver (Compare's list), where what is
// known of it comes from, how many commands that takes and how long, and what the write
// promises. "Write N changes" accepts, Cancel leaves everything as it is. It does not block the
// window.
#pragma once

#include <QDialog>

#include "ui/write_preview.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace kestrel::ui {

class WritePreviewDialog : public QDialog {
  Q_OBJECT

 public:
  // `known_from` says where the knowledge comes from ("read at 14:02 on ttyUSB0").
  WritePreviewDialog(const WritePreview& preview, const QString& known_from, QWidget* parent);

  QListWidget* List() const { return list_; }
  QLabel* Summary() const { return summary_; }
  QPushButton* WriteButton() const { return write_; }
  QPushButton* CancelButton() const { return cancel_; }
  const WritePreview& Preview() const { return preview_; }

  // "Write these changes to the receiver, read at 14:02 on ttyUSB0:" and the rest of the text.
  static QString SummaryText(const WritePreview& preview, const QString& known_from);
  // "Write 7 changes": one change a command, as the commands are what is sent, without those
  // of the bytes every write sends.
  static QString WriteCaption(std::size_t changes);

 signals:
  void PlaceChosen(const DifferencePlace& place);

 private:
  WritePreview preview_;
  QListWidget* list_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* write_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace kestrel::ui
