#include "ui/feedback.h"

#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

namespace kestrel::ui {

namespace {

Feedback platform_feedback;
Feedback* current_feedback = nullptr;

}  // namespace

void Feedback::Beep() {
  QApplication::beep();
}

void Feedback::ShowStatus(QWidget* where, const QString& text) {
  for (QWidget* widget = where; widget; widget = widget->window()->parentWidget()) {
    if (auto* main = qobject_cast<QMainWindow*>(widget->window())) {
      constexpr int kShownMs = 20000;
      main->statusBar()->showMessage(text, kShownMs);
      return;
    }
  }
}

void Feedback::Refuse(QWidget* where, const QString& why) {
  Beep();
  ShowStatus(where, why);
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
    QAbstractButton* chosen = box->clickedButton();
    answered(chosen ? box->standardButton(chosen) : QMessageBox::NoButton);
  });
  box->open();
}

void Feedback::Choose(QWidget* parent, const QString& title, const QString& text,
                      const QStringList& captions, std::function<void(int)> answered) {
  auto* box = new QMessageBox(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
  QList<QPushButton*> buttons;
  for (qsizetype i = 0; i < captions.size(); ++i) {
    const auto role = i == 0                     ? QMessageBox::AcceptRole
                      : i == captions.size() - 1 ? QMessageBox::RejectRole
                                                 : QMessageBox::DestructiveRole;
    buttons << box->addButton(captions[i], role);
  }
  if (!buttons.isEmpty()) {
    box->setDefaultButton(buttons.first());
    box->setEscapeButton(buttons.last());
  }
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(
      box, &QMessageBox::finished, box, [box, buttons, answered = std::move(answered)] {
        const auto chosen = buttons.indexOf(qobject_cast<QPushButton*>(box->clickedButton()));
        answered(chosen < 0 ? static_cast<int>(buttons.size()) - 1 : static_cast<int>(chosen));
      });
  box->open();
}

void Feedback::Notify(QWidget* parent, const QString& title, const QString& text) {
  auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void Feedback::TransferFailed(QWidget* parent, const QString& title, const QString& text,
                              std::function<void(bool retry)> answered) {
  auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
  QPushButton* retry = box->addButton(QMessageBox::Retry);
  box->setDefaultButton(QMessageBox::Ok);
  box->setEscapeButton(QMessageBox::Ok);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QMessageBox::finished, box, [box, retry, answered = std::move(answered)] {
    answered(box->clickedButton() == retry);
  });
  box->open();
}

namespace {

QString RunFileDialog(QWidget* parent, const QString& title, const QString& folder,
                      const QString& filter, const QString& default_suffix,
                      QFileDialog::AcceptMode mode, QString* chosen_filter = nullptr) {
  QFileDialog dialog(parent, title, folder, filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(default_suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (chosen_filter) *chosen_filter = dialog.selectedNameFilter();
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString Feedback::OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter, const QString& default_suffix) {
  return RunFileDialog(parent, title, folder, filter, default_suffix, QFileDialog::AcceptOpen);
}

QString Feedback::SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter, const QString& default_suffix,
                               QString* chosen_filter) {
  return RunFileDialog(parent, title, folder, filter, default_suffix, QFileDialog::AcceptSave,
                       chosen_filter);
}

Feedback& CurrentFeedback() {
  return current_feedback ? *current_feedback : platform_feedback;
}

void SetFeedback(Feedback* feedback) {
  current_feedback = feedback;
}

}  // namespace kestrel::ui
