// File > Import Channels: what an import would do, before it does it. The list's rows go either
// to their own channel numbers (or the first empty channels) or one after another from the
// current row; the dialog says how many channels it stores, which rows it leaves out and why,
// and which programmed channels it writes over. "Import" hands the result over; "Cancel" and
// Escape change nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "files/channel_import.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kestrel::ui {

class ImportPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  // `text` is the list as read from `source` (its file name, for the notes); `base` the open
  // configuration; `current` the channel (1 to 1000) of the grid's current row.
  ImportPreviewDialog(std::string text, QString source, RadioConfig base, int current,
                      QWidget* parent = nullptr);

  // The import as the dialog shows it now.
  const ChannelImport& Result() const { return result_; }

  QRadioButton* FromCurrentButton() const { return from_current_; }
  QPushButton* ImportButton() const { return import_; }
  QPlainTextEdit* Notes() const { return notes_; }
  QString Summary() const;

 private:
  void Preview();

  std::string text_;
  QString source_;
  RadioConfig base_;
  int current_;
  ChannelImport result_;
  QRadioButton* at_location_ = nullptr;
  QRadioButton* from_current_ = nullptr;
  QLabel* summary_ = nullptr;
  QPlainTextEdit* notes_ = nullptr;
  QPushButton* import_ = nullptr;
};

}  // namespace kestrel::ui
