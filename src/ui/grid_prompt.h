// A small window-modal prompt of the Memory grid: one caption and one line of text, OK and
// Cancel. It does not wait: `answered` runs with the text each time the user presses Enter or
// OK, and the prompt closes only when `answered` returns true, so a refused text stays there to
// be corrected.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLineEdit;

namespace kestrel::ui {

class GridPrompt : public QDialog {
  Q_OBJECT

 public:
  GridPrompt(QWidget* parent, const QString& title, const QString& caption, const QString& text,
             std::function<bool(const QString&)> answered);

  QLineEdit* Field() const { return field_; }

  void accept() override;

 private:
  QLineEdit* field_;
  std::function<bool(const QString&)> answered_;
};

}  // namespace kestrel::ui
