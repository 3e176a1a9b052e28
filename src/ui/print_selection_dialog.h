// File > Print: the dialog that chooses which reports to print, and the three ways the window
// puts reports out (the default printer, a preview, a PDF file).
#pragma once

#include <QDialog>
#include <QPrinterInfo>
#include <QString>
#include <functional>
#include <memory>

#include "files/settings.h"
#include "model/radio_config.h"
#include "print/reports.h"

class QCheckBox;
class QPrintPreviewDialog;
class QPushButton;

namespace kestrel::ui {

// The reports the settings file's print choices tick: only a value of 1 ticks, and the Factory
// Setting choice ticks nothing, as there is no such report.
print::ReportSelection SelectionOf(const PrintSettings& stored);
// The print choices to save for a selection; the Factory Setting choice is always 0.
PrintSettings SettingsOf(const print::ReportSelection& selection);

// "Print Selection": three tick boxes and "&OK". OK hands the ticked reports to `print` (which
// prints each as its own job, in the fixed order, or previews or exports them) and then accepts;
// the caller saves Selection(). With nothing ticked OK says so and the dialog stays. The close
// box and Escape cancel: nothing is printed and nothing is to be saved.
class PrintSelectionDialog : public QDialog {
  Q_OBJECT

 public:
  using PrintCallback = std::function<void(const print::ReportSelection&)>;

  PrintSelectionDialog(const print::ReportSelection& ticked, PrintCallback print,
                       QWidget* parent = nullptr);

  // The reports ticked now. The Factory Setting box stays hidden and unticked.
  print::ReportSelection Selection() const;

 private:
  void Confirm();

  PrintCallback print_;
  QCheckBox* set_mode_;
  QCheckBox* memory_;
  QCheckBox* search_band_;
  QCheckBox* factory_;
  QPushButton* ok_;
};

// Prints the selected reports on `printer` (the system's default unless a test says otherwise),
// each as its own print job. Without a printer, or when printing fails, the user is told so and
// offered a PDF file instead. Never ends the program.
void PrintReportsOnPrinter(QWidget* parent, const RadioConfig& record,
                           const print::ReportSelection& selection,
                           const QPrinterInfo& printer = QPrinterInfo::defaultPrinter());

// A print preview of the selected reports (of a copy of `record` taken now); the caller shows it.
std::unique_ptr<QPrintPreviewDialog> MakeReportPreviewDialog(
    QWidget* parent, const RadioConfig& record, const print::ReportSelection& selection);

// "PDF files (*.pdf)", for the file dialogs.
QString PdfFileFilter();

// Writes the selected reports into a PDF file: `path`, or one the user picks when it is empty.
// Returns true when a file was written; a failure is shown to the user. Nothing selected writes
// nothing.
bool ExportReportsToPdf(QWidget* parent, const RadioConfig& record,
                        const print::ReportSelection& selection, QString path = {});

}  // namespace kestrel::ui
