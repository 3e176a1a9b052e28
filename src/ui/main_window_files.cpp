// The File menu's commands: New, Open, Save, Save As, Print, Print Preview and Export PDF. The
// three ways out for reports share the print dialog's report choice.
#include <QDir>
#include <QPrintPreviewDialog>

#include <filesystem>

#include "files/settings.h"
#include "model/defaults.h"
#include "ui/document_storage.h"
#include "ui/feedback.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/print_selection_dialog.h"
#include "ui/search_band_page.h"
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

bool MainWindow::MaybeSave() {
  if (!document_.IsModified()) return true;
  const auto answer = CurrentFeedback().Question(
      this, ApplicationTitle(), tr("Save changes?"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return Save();
  return answer == QMessageBox::Discard;
}

QString MainWindow::StartFolder() const {
  return DataFileFolder(document_.FileName(), setup_.program_folder);
}

void MainWindow::New() {
  if (!MaybeSave()) return;
  document_.Replace(NewConfiguration(), QString());
}

void MainWindow::Open() {
  if (!MaybeSave()) return;
  band_page_->CloseEditFrame();
  const QString path = CurrentFeedback().OpenFileName(this, OpenDialogTitle(), StartFolder(),
                                                      DataFileFilter(), kDataFileSuffix);
  if (path.isEmpty()) return;
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

bool MainWindow::Save() {
  if (document_.FileName().isEmpty()) return SaveAs();
  return SaveTo(document_.FileName());
}

bool MainWindow::SaveAs() {
  const QString path = CurrentFeedback().SaveFileName(this, SaveDialogTitle(), StartFolder(),
                                                      DataFileFilter(), kDataFileSuffix);
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

void MainWindow::Print() {
  ChooseReports({}, [this](const print::ReportSelection& selection) {
    PrintReportsOnPrinter(this, document_.Record(), selection);
  });
}

void MainWindow::PrintPreview() {
  ChooseReports(tr("Print Preview"), [this](const print::ReportSelection& selection) {
    QPrintPreviewDialog* preview =
        MakeReportPreviewDialog(this, document_.Record(), selection).release();
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->open();
  });
}

void MainWindow::ExportPdf() {
  ChooseReports(tr("Export PDF"), [this](const print::ReportSelection& selection) {
    const QString path = CurrentFeedback().SaveFileName(this, tr("Export PDF"), StartFolder(),
                                                        PdfFileFilter(), QStringLiteral("pdf"));
    if (!path.isEmpty()) ExportReportsToPdf(this, document_.Record(), selection, path);
  });
}

}  // namespace kestrel::ui
