#include "ui/busy_dialog.h"

#include <QCloseEvent>
#include <QPointer>

#include "ui/feedback.h"

namespace kestrel::ui {

void BusyDialog::AskToCancel() {
  if (!IsBusy() || asking_to_cancel_) return;
  asking_to_cancel_ = true;
  const QPointer<BusyDialog> self(this);
  CurrentFeedback().Ask(this, windowTitle(), CancelQuestion(), QMessageBox::Yes | QMessageBox::No,
                        QMessageBox::No, [self](QMessageBox::StandardButton answer) {
                          // One look at the guarded pointer: g++ 12 at -O2 doubts a second.
                          BusyDialog* dialog = self.data();
                          if (!dialog) return;
                          dialog->asking_to_cancel_ = false;
                          if (answer == QMessageBox::Yes) dialog->RequestCancel();
                        });
}

void BusyDialog::OnCancel() {
  if (IsBusy()) {
    RequestCancel();
    return;
  }
  QDialog::reject();
}

void BusyDialog::reject() {
  if (IsBusy()) {
    AskToCancel();
    return;
  }
  QDialog::reject();
}

void BusyDialog::closeEvent(QCloseEvent* event) {
  if (IsBusy()) {
    event->ignore();
    AskToCancel();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace kestrel::ui
