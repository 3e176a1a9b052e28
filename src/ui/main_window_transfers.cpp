// Reading and programming the receiver through the transfer dialog.
#include <QCheckBox>
#include <QPushButton>
#include <algorithm>

#include "files/receiver_backups.h"
#include "model/record_check.h"
#include "ui/feedback.h"
#include "ui/finding_text.h"
#include "ui/main_window.h"
#include "ui/search_band_page.h"
#include "ui/several_receivers_dialog.h"
#include "ui/transfer_dialog.h"
#include "ui/transfer_job.h"
#include "ui/window_title.h"

namespace kestrel::ui {

namespace {

// The question before a write into a receiver of values outside their tables; ten are named.
QString ValuesOutsideTablesQuestion(const std::vector<Finding>& warnings) {
  constexpr std::size_t kNamed = 10;
  QString text = MainWindow::tr(
      "These values are not in their value tables; the receiver gets them as they are:\n\n");
  for (std::size_t i = 0; i < std::min(kNamed, warnings.size()); ++i) {
    text += FindingLine(warnings[i]) + u'\n';
  }
  if (warnings.size() > kNamed) {
    text += MainWindow::tr("and %1 more\n").arg(warnings.size() - kNamed);
  }
  return text + MainWindow::tr("\nWrite anyway?");
}

bool PortWentMissing(const TransferOutcome& outcome) {
  return !outcome.status && outcome.status.error().cause == link::FailureCause::kNoSuchPort;
}

}  // namespace

void MainWindow::StartRead() {
  if (transfer_dialog_ || several_dialog_) return;
  ConfirmLeaving([this] {
    ApplyChosenDiscards();
    OpenReadDialog();
  });
}

void MainWindow::OpenReadDialog() {
  if (transfer_dialog_ || several_dialog_) return;
  auto* dialog = new TransferDialog(
      TransferDialog::Kind::kRead,
      [this](bool) { return jobs_.ReadJob(port_, document_.Record(), document_.Image()); }, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &TransferDialog::TransferFinished, this, &MainWindow::NoteRead);
  connect(dialog, &QDialog::finished, this, [this, dialog] {
    transfer_dialog_ = nullptr;
    OnReadClosed(dialog);
  });
  // A port that is gone: the Port menu shows the ports there are now.
  connect(dialog, &TransferDialog::TransferFinished, this, [this](const TransferOutcome& outcome) {
    if (PortWentMissing(outcome)) ListSystemPorts();
  });
  transfer_dialog_ = dialog;
  dialog->open();
}

void MainWindow::OnReadClosed(TransferDialog* dialog) {
  const auto& result = dialog->SucceededRead();
  if (!result || !result->record) return;
  band_page_->CloseEditFrame();
  if (result->image) document_.Image() = *result->image;
  document_.ReplaceFromReceiver(*result->record);
}

void MainWindow::StartProgram() {
  if (transfer_dialog_ || several_dialog_) return;
  SettlePendingEdits([this] { CheckValuesThen([this] { OpenWriteDialog(false); }); });
}

void MainWindow::CheckValuesThen(const std::function<void()>& write) {
  if (transfer_dialog_ || several_dialog_) return;
  const std::vector<Finding> warnings = ValuesOutsideTables(document_.Record());
  if (warnings.empty()) {
    write();
    return;
  }
  CurrentFeedback().Ask(this, ApplicationTitle(), ValuesOutsideTablesQuestion(warnings),
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                        [write](QMessageBox::StandardButton answer) {
                          if (answer == QMessageBox::Yes) write();
                        });
}

void MainWindow::OpenWriteDialog(bool changes_only) {
  if (transfer_dialog_ || several_dialog_) return;
  // After a write that succeeded, OK writes the next receiver, of which nothing is known.
  auto next_receiver = std::make_shared<bool>(false);
  auto rest = std::make_shared<QPointer<QPushButton>>();
  auto read_first = std::make_shared<QPointer<QCheckBox>>();
  auto* dialog = new TransferDialog(
      TransferDialog::Kind::kProgram,
      [this, changes_only, next_receiver, rest, read_first](bool verify) {
        if (*rest) (*rest)->hide();  // until this write, too, stops part way
        WriteRequest request{.verify = verify};
        request.read_first = *read_first && (*read_first)->isChecked();
        if (const KnownImage* known = KnownHere(); known && !*next_receiver) {
          request.known = *known;
          request.changes_only = changes_only;
          request.known_from = receiver_.source.toStdString();
        }
        return jobs_.WriteJob(port_, document_.Record(), document_.Image(), request);
      },
      this);
  if (changes_only) dialog->setWindowTitle(tr("Write Changes to the Receiver"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::finished, this, [this] { transfer_dialog_ = nullptr; });
  *rest = dialog->AddButton(tr("Write the &Rest"));
  if (!changes_only) {
    // For receivers the user did not read: what they held is kept before it is written over.
    *read_first = dialog->AddCheckBox(tr("Read and &keep the receiver's contents first"));
    (*read_first)->setChecked(ReadFirstChosen());
    connect(*read_first, &QCheckBox::toggled, this, &MainWindow::ChooseReadFirst);
  }
  connect(*rest, &QPushButton::clicked, this, [this, dialog] {
    if (dialog->IsBusy()) return;
    dialog->reject();
    ShowWritePreview();
  });
  connect(dialog, &TransferDialog::TransferFinished, this,
          [this, rest, next_receiver](const TransferOutcome& outcome) {
            // The image holds what was encoded and sent, and the receiver's region bytes.
            if (outcome.read_before && outcome.image_before) {
              KeepReadBackup(*outcome.read_before, *outcome.image_before);
            }
            if (outcome.image) document_.Image() = *outcome.image;
            NoteWrite(outcome, *next_receiver);
            if (PortWentMissing(outcome)) ListSystemPorts();
            // A write that stopped part way is for this receiver: OK goes on with it.
            *next_receiver = outcome.status.has_value();
            if (QPushButton* button = rest->data()) {
              button->setVisible(!outcome.status && outcome.written > 0 && KnownHere());
            }
          });
  transfer_dialog_ = dialog;
  dialog->open();
}

// Every receiver gets the configuration as it is now; the window's image stays as it was, as
// each receiver's region bytes differ.
void MainWindow::StartProgramSeveral() {
  if (transfer_dialog_ || several_dialog_) return;
  SettlePendingEdits([this] { CheckValuesThen([this] { OpenProgramSeveralDialog(); }); });
}

void MainWindow::OpenProgramSeveralDialog() {
  if (transfer_dialog_ || several_dialog_) return;
  auto* dialog = new SeveralReceiversDialog(
      SeveralReceiversDialog::AvailablePorts(),
      [this](const link::PortChoice& port, bool verify) {
        // The window's receiver gets another configuration than the one it is known to hold.
        const std::string known_port = receiver_.port.toStdString();
        if (port.Text() == known_port || BackupPortName(port.Text()) == known_port) {
          receiver_ = {};
        }
        return jobs_.ProgramJob(port, document_.Record(), document_.Image(), verify);
      },
      this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  several_dialog_ = dialog;
  dialog->open();
}

}  // namespace kestrel::ui
