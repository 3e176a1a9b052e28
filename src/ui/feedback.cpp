#include "ui/feedback.h"

#include <QApplication>

namespace kestrel::ui {

namespace {

Feedback platform_feedback;
Feedback* current_feedback = nullptr;

}  // namespace

void Feedback::Beep() { QApplication::beep(); }

void Feedback::Information(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox::information(parent, title, text);
}

void Feedback::Warning(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox::warning(parent, title, text);
}

QMessageBox::StandardButton Feedback::Question(QWidget* parent, const QString& title,
                                               const QString& text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton default_button) {
  return QMessageBox::question(parent, title, text, buttons, default_button);
}

Feedback& CurrentFeedback() { return current_feedback ? *current_feedback : platform_feedback; }

void SetFeedback(Feedback* feedback) { current_feedback = feedback; }

}  // namespace kestrel::ui
