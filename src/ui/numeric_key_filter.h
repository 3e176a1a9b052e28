// The keystroke rule of the numeric text fields: digits, Backspace and "." pass; Enter applies
// the field (as leaving it would) and is then dropped with a beep; every other character is
// dropped with a beep. Keys that type nothing (arrows, Tab, Delete) and Ctrl shortcuts pass, so
// the field stays usable from the keyboard. Leaving the field applies it too.
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

namespace kestrel::ui {

class NumericKeyFilter : public QObject {
  Q_OBJECT

 public:
  // Installs itself on `field` (and becomes its child); `apply` runs on Enter and on leaving.
  NumericKeyFilter(QLineEdit* field, std::function<void()> apply);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> apply_;
};

}  // namespace kestrel::ui
