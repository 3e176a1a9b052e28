#include "ui/numeric_key_filter.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/feedback.h"

namespace kestrel::ui {

NumericKeyFilter::NumericKeyFilter(QLineEdit* field, std::function<void()> apply)
    : QObject(field), apply_(std::move(apply)) {
  field->installEventFilter(this);
}

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // A drop-down, a menu or another window taking the focus for a while is not leaving the
    // field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) apply_();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    apply_();
    CurrentFeedback().Beep();
    return true;
  }
  if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  const QString text = key->text();
  if (text.isEmpty() || text.at(0) < QChar(' ')) return false;  // types nothing, or Backspace
  if (text == QStringLiteral(".") || (text.size() == 1 && text.at(0).isDigit() &&
                                      text.at(0) >= QChar('0') && text.at(0) <= QChar('9'))) {
    return false;
  }
  CurrentFeedback().Beep();
  return true;
}

}  // namespace kestrel::ui
