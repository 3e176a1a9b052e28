// File > Print: the dialog that chooses which reports to print, and the three ways the window
// puts reports out (the default printer, a preview, a PDF file).
#pragma once

#include <QDialog>
#include <QPrinterInfo>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "model/radio_config.h"
#include "print/reports.h"

class QCheckBox;
class QPrintPreviewDialog;
class QPushButton;

namespace kestrel::ui {

// The print choices as the settings file keeps them, in the order SetMode, Memory,
// SearchBandMemory, FactorySetting: 1 ticked, anything else not.
using PrintFlags = std::array<int, 4>;

// The reports a set of flags ticks (the Factory Setting flag selects none).
print::ReportSelection SelectionOf(const PrintFlags& flags);

// "Print Selection": three tick boxes and "&OK". OK hands the ticked reports to `print` (which
// prints each as its own job, in the fixed order) and then accepts; the caller saves Flags().
// The close box and Escape cancel: nothing is printed and nothing is to be saved.
class PrintSelectionDialog : public QDialog {
  Q_OBJECT

 public:
  using PrintCallback = std::function<void(const print::ReportSelection&)>;

  PrintSelectionDialog(const PrintFlags& flags, PrintCallback print, QWidget* parent = nullptr);

  // The values to save: the ticks as 1 or 0; the hidden Factory Setting box always gives 0.
  PrintFlags Flags() const;

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

// Writes the selected reports into a PDF file: `path`, or one the user picks when it is empty.
// Returns true when a file was written; a failure is shown to the user.
bool ExportReportsToPdf(QWidget* parent, const RadioConfig& record,
                        const print::ReportSelection& selection, QString path = {});

}  // namespace kestrel::ui
