// COM > "Program Several Receivers...": one receiver on each ticked port programmed at the same
// time with the window's configuration. Each ticked port runs a program job of its own on a
// worker thread of its own, with its own progress bar and result; CANCEL stops them all after
// their commands under way, and "Write again" programs the next batch. Closing the dialog while
// receivers are being written asks whether to cancel.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "link/port_choice.h"
#include "ui/busy_dialog.h"
#include "ui/transfer_job.h"
#include "ui/transfer_runner.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kestrel::ui {

// A port the dialog offers, with the text of its tick.
struct PortEntry {
  QString text;
  link::PortChoice port;
};

class SeveralReceiversDialog : public BusyDialog {
  Q_OBJECT

 public:
  // Makes the program job for one port; `verify` is the check box.
  using JobFactory = std::function<TransferJob(const link::PortChoice& port, bool verify)>;

  SeveralReceiversDialog(std::vector<PortEntry> ports, JobFactory make_job, QWidget* parent);

  // "COM 1" to "COM 4", the serial ports the system reports, and four simulated receivers.
  static std::vector<PortEntry> AvailablePorts();

  bool IsBusy() const override;

  int PortCount() const { return static_cast<int>(rows_.size()); }
  QCheckBox* PortBox(int row) const { return rows_[static_cast<std::size_t>(row)]->tick; }
  QProgressBar* PortProgress(int row) const { return rows_[static_cast<std::size_t>(row)]->bar; }
  QLabel* PortResult(int row) const { return rows_[static_cast<std::size_t>(row)]->result; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QCheckBox* VerifyBox() const { return verify_; }

 protected:
  QString CancelQuestion() const override;
  void RequestCancel() override;

 private:
  struct Row {
    link::PortChoice port;
    QCheckBox* tick = nullptr;
    QProgressBar* bar = nullptr;
    QLabel* result = nullptr;  // the state and time left while busy, then the outcome
    QString state;
    qint64 left_ms = 0;
    bool waiting = false;  // for a reply that is late
    bool verify = false;   // the running or last write is verified
    TransferRunner* runner = nullptr;
  };

  void OnOk();
  void Start(Row& row, bool verify);
  void OnTransferFinished(Row& row, const TransferOutcome& outcome);
  void SetControlsEnabled(bool enabled);

  JobFactory make_job_;
  std::vector<std::unique_ptr<Row>> rows_;
  QCheckBox* verify_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace kestrel::ui
