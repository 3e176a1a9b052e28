// The File menu's commands: New, Open, Save, Save As, Print, Print Preview and Export PDF, and
// the questions before any of them could leave an edit behind. The three ways out for reports
// share the print dialog's report choice.
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>

#include <algorithm>

#include <filesystem>
#include <utility>

#include "files/settings.h"
#include "model/defaults.h"
#include "ui/document_storage.h"
#include "ui/factory_page.h"
#include "ui/feedback.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/memory_page.h"
#include "ui/print_selection_dialog.h"
#include "ui/search_band_page.h"
#include "ui/set_mode_page.h"
#include "ui/window_title.h"

namespace kestrel::ui {

namespace {

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

print::ReportSelection LoadPrintSelection(const QString& settings_file) {
  return SelectionOf(LoadPrintSettings(NativePath(settings_file)));
}

void SavePrintSelection(const QString& settings_file, const print::ReportSelection& selection) {
  SavePrintSettings(NativePath(settings_file), SettingsOf(selection));
}

}  // namespace

QList<PendingEdits*> MainWindow::PendingPages() const {
  return {set_mode_page_, memory_page_, band_page_, factory_page_};
}

bool MainWindow::AnyPagePending() const {
  const QList<PendingEdits*> pages = PendingPages();
  return std::any_of(pages.begin(), pages.end(),
                     [](const PendingEdits* page) { return page->HasPendingChanges(); });
}

// The answers to the pending-edit questions belong to the action that asked them: a Discard is
// only noted here and carried out by ApplyChosenDiscards once the action goes ahead, so a Cancel
// at any later question of the same action (Save changes, a file dialog) keeps the page's edits.
void MainWindow::AskAboutPendingEdits(std::function<void()> then, qsizetype first_page) {
  if (first_page == 0) chosen_discards_.clear();
  const QList<PendingEdits*> pages = PendingPages();
  for (qsizetype i = first_page; i < pages.size(); ++i) {
    PendingEdits* page = pages[i];
    if (!page->HasPendingChanges()) continue;
    enum { kSet, kDiscard, kCancel };
    CurrentFeedback().Choose(this, ApplicationTitle(),
                             tr("The %1 page has changes that are not Set.").arg(page->PageName()),
                             {tr("&Set"), tr("&Discard"), tr("Cancel")},
                             [this, page, i, then = std::move(then)](int chosen) {
                               if (chosen == kSet && !page->SetPendingChanges()) return;
                               if (chosen == kDiscard) chosen_discards_ << page;
                               if (chosen != kSet && chosen != kDiscard) return;
                               AskAboutPendingEdits(then, i + 1);
                             });
    return;
  }
  then();
}

void MainWindow::ApplyChosenDiscards() {
  const QList<PendingEdits*> pages = std::exchange(chosen_discards_, {});
  for (PendingEdits* page : pages) page->DiscardPendingChanges();
}

void MainWindow::SettlePendingEdits(std::function<void()> then) {
  AskAboutPendingEdits([this, then = std::move(then)] {
    ApplyChosenDiscards();
    then();
  });
}

void MainWindow::MaybeSave(std::function<void()> then) {
  if (!document_.IsModified()) {
    then();
    return;
  }
  CurrentFeedback().Ask(
      this, ApplicationTitle(), tr("Save changes?"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save,
      [this, then = std::move(then)](QMessageBox::StandardButton answer) {
        if (answer == QMessageBox::Discard || (answer == QMessageBox::Save && SaveRecord())) {
          then();
        }
      });
}

// The caller carries out the chosen discards where its action goes ahead.
void MainWindow::ConfirmLeaving(std::function<void()> then) {
  AskAboutPendingEdits([this, then = std::move(then)] { MaybeSave(then); });
}

QString MainWindow::StartFolder() const {
  if (!last_folder_.isEmpty()) return last_folder_;
  return DataFileFolder(document_.FileName(), setup_.program_folder);
}

QString MainWindow::AskOpenFile(const QString& title, const QString& filter,
                                const QString& suffix) {
  const QString path = CurrentFeedback().OpenFileName(this, title, StartFolder(), filter, suffix);
  if (!path.isEmpty()) last_folder_ = QFileInfo(path).absolutePath();
  return path;
}

QString MainWindow::AskSaveFile(const QString& title, const QString& filter, const QString& suffix,
                                QString* chosen_filter) {
  const QString path =
      CurrentFeedback().SaveFileName(this, title, StartFolder(), filter, suffix, chosen_filter);
  if (!path.isEmpty()) last_folder_ = QFileInfo(path).absolutePath();
  return path;
}

void MainWindow::New() {
  ConfirmLeaving([this] {
    ApplyChosenDiscards();
    document_.Replace(NewConfiguration(), QString());
  });
}

void MainWindow::Open() {
  ConfirmLeaving([this] {
    const QString path = AskOpenFile(OpenDialogTitle(), DataFileFilter(), kDataFileSuffix);
    if (path.isEmpty()) return;
    ApplyChosenDiscards();
    band_page_->CloseEditFrame();
    OpenFile(path);
  });
}

void MainWindow::OpenFile(const QString& path) {
  auto loaded = storage_.Load(path, document_.Record());
  if (!loaded) {
    const QString file = QDir::toNativeSeparators(path);
    const LoadFailure& failure = loaded.error();
    const QString why =
        failure.damaged
            ? tr("The file %1 is damaged and was not opened:\n%2").arg(file, failure.reason)
            : tr("The file %1 %2.").arg(file, failure.reason);
    CurrentFeedback().Warning(this, ApplicationTitle(),
                              why + "\n\n" + tr("The configuration was not changed."));
    return;
  }
  document_.Replace(*loaded, path);
}

void MainWindow::Save() {
  SettlePendingEdits([this] { SaveRecord(); });
}

void MainWindow::SaveAs() {
  SettlePendingEdits([this] { SaveRecordAs(); });
}

// A record read from the receiver has no file name, so it is never written over the file that
// was open before the read.
bool MainWindow::SaveRecord() {
  if (document_.FileName().isEmpty()) return SaveRecordAs();
  return SaveTo(document_.FileName());
}

bool MainWindow::SaveRecordAs() {
  const QString path = AskSaveFile(SaveDialogTitle(), DataFileFilter(), kDataFileSuffix);
  if (path.isEmpty()) return false;
  return SaveTo(path);
}

bool MainWindow::SaveTo(const QString& path) {
  const auto saved = storage_.Save(path, document_.Record());
  if (!saved) {
    CurrentFeedback().Warning(
        this, ApplicationTitle(),
        tr("The file %1 cannot be saved:\n%2").arg(QDir::toNativeSeparators(path), saved.error()));
    return false;
  }
  document_.MarkSaved(path);
  CurrentFeedback().ShowStatus(this, tr("Saved to %1.").arg(QDir::toNativeSeparators(path)));
  return true;
}

void MainWindow::ChooseReports(const QString& title,
                               std::function<void(const print::ReportSelection&)> put_out) {
  auto* dialog =
      new PrintSelectionDialog(LoadPrintSelection(setup_.settings_file), std::move(put_out), this);
  if (!title.isEmpty()) dialog->setWindowTitle(title);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this,
          [this, dialog] { SavePrintSelection(setup_.settings_file, dialog->Selection()); });
  dialog->open();
}

// Reports show the record as it is stored, so edits still waiting for their "Set" are settled
// first.
void MainWindow::Print() {
  SettlePendingEdits([this] {
    ChooseReports({}, [this](const print::ReportSelection& selection) {
      PrintReportsOnPrinter(this, document_.Record(), selection);
    });
  });
}

void MainWindow::PrintPreview() {
  SettlePendingEdits([this] {
    ChooseReports(tr("Print Preview"), [this](const print::ReportSelection& selection) {
      QPrintPreviewDialog* preview =
          MakeReportPreviewDialog(this, document_.Record(), selection).release();
      preview->setAttribute(Qt::WA_DeleteOnClose);
      preview->open();
    });
  });
}

void MainWindow::ExportPdf() {
  SettlePendingEdits([this] {
    ChooseReports(tr("Export PDF"), [this](const print::ReportSelection& selection) {
      const QString path = AskSaveFile(tr("Export PDF"), PdfFileFilter(), QStringLiteral("pdf"));
      if (!path.isEmpty() && ExportReportsToPdf(this, document_.Record(), selection, path)) {
        CurrentFeedback().ShowStatus(
            this, tr("Reports exported to %1.").arg(QDir::toNativeSeparators(path)));
      }
    });
  });
}

}  // namespace kestrel::ui
