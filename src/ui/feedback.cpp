#include "ui/feedback.h"

#include <QApplication>
#include <QFileDialog>

namespace kestrel::ui {

namespace {

Feedback platform_feedback;
Feedback* current_feedback = nullptr;

}  // namespace

void Feedback::Beep() {
  QApplication::beep();
}

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

void Feedback::Ask(QWidget* parent, const QString& title, const QString& text,
                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton default_button,
                   std::function<void(QMessageBox::StandardButton)> answered) {
  auto* box = new QMessageBox(QMessageBox::Question, title, text, buttons, parent);
  box->setDefaultButton(default_button);
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QMessageBox::finished, box, [box, answered = std::move(answered)] {
    answered(box->standardButton(box->clickedButton()));
  });
  box->open();
}

namespace {

QString RunFileDialog(QWidget* parent, const QString& title, const QString& folder,
                      const QString& filter, const QString& default_suffix,
                      QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, title, folder, filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(default_suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString Feedback::OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter, const QString& default_suffix) {
  return RunFileDialog(parent, title, folder, filter, default_suffix, QFileDialog::AcceptOpen);
}

QString Feedback::SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter, const QString& default_suffix) {
  return RunFileDialog(parent, title, folder, filter, default_suffix, QFileDialog::AcceptSave);
}

Feedback& CurrentFeedback() {
  return current_feedback ? *current_feedback : platform_feedback;
}

void SetFeedback(Feedback* feedback) {
  current_feedback = feedback;
}

}  // namespace kestrel::ui
