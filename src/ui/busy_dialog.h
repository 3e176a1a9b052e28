// A dialog that runs work in the background: while it is busy, Esc, the close box and the
// window's close do not close it but ask whether to cancel the work, once at a time, without
// waiting for the answer.
#pragma once

#include <QDialog>
#include <QString>

namespace kestrel::ui {

class BusyDialog : public QDialog {
  Q_OBJECT

 public:
  using QDialog::QDialog;

  virtual bool IsBusy() const = 0;
  // While busy, asks the user whether to cancel the work, and cancels it on Yes.
  void AskToCancel();
  // The dialog's CANCEL button: cancels the work at once while busy (the button says what it
  // does, so nothing is asked), else closes the dialog.
  void OnCancel();

 public slots:
  void reject() override;  // asks to cancel while busy (Esc and the close box end here)

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The question AskToCancel puts, and what a Yes does.
  virtual QString CancelQuestion() const = 0;
  virtual void RequestCancel() = 0;

 private:
  bool asking_to_cancel_ = false;
};

}  // namespace kestrel::ui
