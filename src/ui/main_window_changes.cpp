// What the window knows of the receiver, and the commands built on it: Compare with File,
// Compare with Radio and Write Changes.
#include <QFileInfo>
#include <QTabWidget>

#include "files/config_source.h"
#include "files/receiver_backups.h"
#include "link/write_changes.h"
#include "ui/compare_dialog.h"
#include "ui/feedback.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/memory_page.h"
#include "ui/search_band_page.h"
#include "ui/set_mode_page.h"
#include "ui/several_receivers_dialog.h"
#include "ui/transfer_dialog.h"
#include "ui/transfer_job.h"
#include "ui/window_title.h"
#include "ui/write_preview_dialog.h"

namespace kestrel::ui {

CompareDialog* MainWindow::OpenCompareDialog() const {
  return compare_dialog_.data();
}

WritePreviewDialog* MainWindow::OpenPreviewDialog() const {
  return preview_dialog_.data();
}

void MainWindow::KnowReceiver(const KnownImage& known, const QString& port,
                              const QString& description) {
  receiver_ = {known, port, description};
}

// The knowledge names its port as Port() gives it, or as a backup's file name holds it.
bool MainWindow::IsChosenPort(const QString& port) const {
  return port == Port() || port.toStdString() == BackupPortName(port_.Text());
}

const KnownImage* MainWindow::KnownHere() const {
  return receiver_.Known() && IsChosenPort(receiver_.port) ? &receiver_.image : nullptr;
}

void MainWindow::ForgetOtherPorts() {
  if (!IsChosenPort(receiver_.port)) receiver_ = {};
}

void MainWindow::NoteRead(const TransferOutcome& outcome) {
  if (!outcome.status || !outcome.image) return;
  receiver_ = {link::KnowledgeOfRead(*outcome.image), Port(), ReadAt(QTime::currentTime(), port_)};
  // Kept as soon as it succeeds, whether or not the record is taken.
  if (outcome.record) KeepReadBackup(*outcome.record, *outcome.image);
}

void MainWindow::NoteWrite(const TransferOutcome& outcome, bool next_receiver) {
  if (!outcome.known) return;
  if (!outcome.known->AnyKnown()) {
    receiver_ = {};
    return;
  }
  const QTime now = QTime::currentTime();
  const QString before = next_receiver ? QString() : receiver_.source;
  QString source;
  if (outcome.status && outcome.to_write == link::CommandCount(link::BuildProgramList())) {
    source = WrittenAt(now, port_);
  } else if (outcome.status) {
    source = outcome.to_write == 0 ? before : ThenAt(before, tr("changed"), now, port_);
  } else if (outcome.written > 0) {
    source = ThenAt(before, tr("written in part"), now, port_);
  } else {
    source = before;  // nothing was written; a command left unanswered is no longer known
  }
  receiver_ = {*outcome.known, Port(), source};
}

void MainWindow::StartWriteChanges() {
  if (transfer_dialog_ || several_dialog_ || preview_dialog_) return;
  SettlePendingEdits([this] { CheckValuesThen([this] { ShowWritePreview(); }); });
}

void MainWindow::ShowWritePreview() {
  if (transfer_dialog_ || several_dialog_ || preview_dialog_) return;
  const KnownImage* known = KnownHere();
  if (!known) {
    CurrentFeedback().Information(
        this, ApplicationTitle(),
        tr("Nothing is known of what the receiver on %1 holds, so there is nothing to compare "
           "this configuration with. Use Read from Radio first, or Program to Radio to write "
           "everything.")
            .arg(PortShown(port_)));
    return;
  }
  const auto preview = PreviewChanges(document_.Record(), document_.Image(), *known);
  if (!preview) {
    // The write names what the receiver's memory cannot hold, as Write does.
    OpenWriteDialog(true);
    return;
  }
  if (preview->Nothing()) {
    CurrentFeedback().Information(
        this, ApplicationTitle(),
        tr("Nothing to write: the receiver on %1 holds this configuration, by what was %2.")
            .arg(PortShown(port_), receiver_.source));
    return;
  }
  auto* dialog = new WritePreviewDialog(*preview, receiver_.source, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this] { OpenWriteDialog(true); });
  connect(dialog, &WritePreviewDialog::PlaceChosen, this, &MainWindow::GoTo);
  preview_dialog_ = dialog;
  dialog->open();
}

void MainWindow::CompareWithFile() {
  SettlePendingEdits([this] {
    const QString path =
        AskOpenFile(tr("Compare with File"),
                    DataFileFilter() + QStringLiteral(";;") + tr("All files (*)"), kDataFileSuffix);
    if (path.isEmpty()) return;
    const auto other = LoadConfigurationSource(path.toStdString());
    if (!other) {
      CurrentFeedback().Warning(this, tr("Warning"), QString::fromStdString(other.error()));
      return;
    }
    ShowComparison(tr("Compare with File"),
                   tr("From %1 to the open configuration:").arg(QFileInfo(path).fileName()),
                   CompareConfigurations(*other, document_.Record()));
  });
}

void MainWindow::CompareWithRadio() {
  if (transfer_dialog_ || several_dialog_) return;
  SettlePendingEdits([this] { OpenCompareReadDialog(); });
}

// A read like any other, but what it brings goes to the list, not into the document.
void MainWindow::OpenCompareReadDialog() {
  if (transfer_dialog_ || several_dialog_) return;
  auto* dialog = new TransferDialog(
      TransferDialog::Kind::kRead,
      [this](bool) { return jobs_.ReadJob(port_, document_.Record(), document_.Image()); }, this);
  dialog->setWindowTitle(tr("Compare with the Receiver"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &TransferDialog::TransferFinished, this,
          [this, dialog](const TransferOutcome& outcome) {
            NoteRead(outcome);
            // Nothing is left to confirm: the list follows at once.
            if (outcome.status && outcome.record) {
              QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            }
          });
  connect(dialog, &QDialog::finished, this, [this, dialog] {
    transfer_dialog_ = nullptr;
    const auto& read = dialog->SucceededRead();
    if (!read || !read->record) return;
    ShowComparison(
        tr("Compare with Radio"),
        tr("From what the receiver holds (%1) to the open configuration:").arg(receiver_.source),
        CompareConfigurations(*read->record, document_.Record()));
  });
  transfer_dialog_ = dialog;
  dialog->open();
}

void MainWindow::ShowComparison(const QString& title, const QString& heading,
                                const std::vector<ConfigDifference>& differences) {
  if (compare_dialog_) compare_dialog_->close();
  auto* dialog = new CompareDialog(title, heading, differences, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &CompareDialog::PlaceChosen, this, &MainWindow::GoTo);
  compare_dialog_ = dialog;
  dialog->show();
}

void MainWindow::GoTo(const DifferencePlace& place) {
  switch (place.kind) {
    case DifferencePlace::Kind::kSetMode:
      tabs_->setCurrentWidget(set_mode_page_);
      set_mode_page_->FocusFunction(place.index);
      break;
    case DifferencePlace::Kind::kChannel:
      tabs_->setCurrentWidget(memory_page_);
      memory_page_->GoToChannel(place.index);
      break;
    case DifferencePlace::Kind::kBand:
      tabs_->setCurrentWidget(band_page_);
      band_page_->FocusBand(place.index);
      break;
    case DifferencePlace::Kind::kFactory:
      // The Factory Settings page is never offered.
      break;
  }
}

}  // namespace kestrel::ui
