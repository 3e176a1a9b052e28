// The about box: the program's name and version in a frame, and "&OK".
#pragma once

#include <QDialog>

namespace kestrel::ui {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);
};

}  // namespace kestrel::ui
