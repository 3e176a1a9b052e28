// The read and program dialogs: a prompt, a progress bar with the time left, and OK / CANCEL /
// HELP (the user guide). OK runs the job on a worker thread; while it runs, OK and HELP are
// disabled, CANCEL stops the job after the command under way, closing the dialog by any other
// means asks whether to cancel, and the window keeps repainting. A failure is shown in a warning
// box with its cause and fix and a Retry button, and the prompt comes back; a cancelled job says
// in what state it left things.
//
// Read: after "Completed reading out." the next OK closes the dialog, and the window takes the
// record from SucceededRead(). Program: after "Completed writing." OK writes the same record into
// the next receiver; "Verify after writing" is handed to every job.
#pragma once

#include <functional>
#include <optional>

#include "ui/busy_dialog.h"
#include "ui/transfer_job.h"
#include "ui/transfer_runner.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kestrel::ui {

class TransferDialog : public BusyDialog {
  Q_OBJECT

 public:
  enum class Kind { kRead, kProgram };
  // Makes the job for one press of OK; `verify` is the check box (always false for a read).
  using JobFactory = std::function<TransferJob(bool verify)>;

  TransferDialog(Kind kind, JobFactory make_job, QWidget* parent);

  bool IsBusy() const override { return runner_->IsRunning(); }
  // The last successful read's outcome (record and image); empty until a read succeeded.
  const std::optional<TransferOutcome>& SucceededRead() const { return read_result_; }

  QLabel* MessageLabel() const { return message_; }
  QProgressBar* ProgressBar() const { return progress_; }
  QLabel* TimeLeftLabel() const { return time_left_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* HelpButton() const { return help_; }
  QCheckBox* VerifyBox() const { return verify_; }
  // A further button beside HELP for a command of the window's, hidden until it shows it.
  QPushButton* AddButton(const QString& text);
  // A further check box under Verify, for a choice the window's job reads when OK is pressed;
  // like Verify it cannot be changed while the job runs.
  QCheckBox* AddCheckBox(const QString& text);

  static QString ReadPrompt();
  static QString ProgramPrompt();

 signals:
  // After every run, on the window's thread, before the dialog shows the result.
  void TransferFinished(const TransferOutcome& outcome);

 protected:
  QString CancelQuestion() const override;
  void RequestCancel() override;

 private:
  void OnOk();
  void Start();
  void OnTransferFinished(const TransferOutcome& outcome);
  void ShowPrompt();
  void SetButtonsEnabled(bool enabled);
  void ShowTimeLeft();

  Kind kind_;
  JobFactory make_job_;
  QLabel* message_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* time_left_ = nullptr;
  QCheckBox* verify_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* help_ = nullptr;
  QHBoxLayout* buttons_ = nullptr;
  QList<QCheckBox*> added_boxes_;
  TransferRunner* runner_ = nullptr;
  qint64 left_ms_ = 0;
  bool waiting_ = false;    // for a reply that is late
  bool verifying_ = false;  // the running or last write was verified
  bool read_done_ = false;
  std::optional<TransferOutcome> read_result_;
};

}  // namespace kestrel::ui
