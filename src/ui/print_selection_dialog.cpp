#include "ui/print_selection_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "print/qt/painter_canvas.h"
#include "print/qt/pdf_export.h"
#include "ui/feedback.h"
#include "ui/page_layout.h"

namespace kestrel::ui {

namespace {

QCheckBox* AddBox(QLayout* layout, const char* object_name, const QString& caption) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(QString::fromLatin1(object_name));
  layout->addWidget(box);
  return box;
}

void OfferPdf(QWidget* parent, const RadioConfig& record, const print::ReportSelection& selection,
              const QString& why) {
  const auto answer = CurrentFeedback().Question(
      parent, PrintSelectionDialog::tr("Print"),
      why + "\n\n" + PrintSelectionDialog::tr("Save the reports as a PDF file instead?"),
      QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  if (answer == QMessageBox::Yes) ExportReportsToPdf(parent, record, selection);
}

}  // namespace

QString PdfFileFilter() {
  return PrintSelectionDialog::tr("PDF files (*.pdf)");
}

print::ReportSelection SelectionOf(const PrintSettings& stored) {
  return {.set_mode = stored.SetMode == 1,
          .memory = stored.Memory == 1,
          .search_band = stored.SearchBandMemory == 1};
}

PrintSettings SettingsOf(const print::ReportSelection& selection) {
  return {.SetMode = selection.set_mode ? 1 : 0,
          .Memory = selection.memory ? 1 : 0,
          .SearchBandMemory = selection.search_band ? 1 : 0,
          .FactorySetting = 0};
}

PrintSelectionDialog::PrintSelectionDialog(const print::ReportSelection& ticked,
                                           PrintCallback print, QWidget* parent)
    : QDialog(parent), print_(std::move(print)) {
  setObjectName(QStringLiteral("frmPrintOPTN"));
  setWindowTitle(tr("Print Selection"));
  setFont(QFont(QStringLiteral("Arial")));

  auto* frame = new QGroupBox(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* inside = new QVBoxLayout(frame);
  inside->setContentsMargins(TwipsToPixels(this, 495), TwipsToPixels(this, 240),
                             TwipsToPixels(this, 495), TwipsToPixels(this, 150));
  inside->setSpacing(TwipsToPixels(this, 120));
  set_mode_ = AddBox(inside, "chkSetMode", tr("    Set Mode"));
  memory_ = AddBox(inside, "chkMemory", tr("    Memory"));
  search_band_ = AddBox(inside, "chkSrchBndMem", tr("    Search Band Memory"));
  factory_ = AddBox(inside, "chkFactory", tr("    Factory Setting"));
  set_mode_->setMinimumWidth(TwipsToPixels(this, 3300));

  ok_ = new QPushButton(tr("&OK"), frame);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  ok_->setMinimumWidth(TwipsToPixels(this, 1485));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &PrintSelectionDialog::Confirm);
  inside->addSpacing(TwipsToPixels(this, 120));
  inside->addWidget(ok_, 0, Qt::AlignHCenter);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  set_mode_->setChecked(ticked.set_mode);
  memory_->setChecked(ticked.memory);
  search_band_->setChecked(ticked.search_band);
  // There is no factory report: the box stays hidden and unticked whatever was saved.
  factory_->setChecked(false);
  factory_->hide();

  adjustSize();
  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
  }
}

print::ReportSelection PrintSelectionDialog::Selection() const {
  return {set_mode_->isChecked(), memory_->isChecked(), search_band_->isChecked()};
}

void PrintSelectionDialog::Confirm() {
  const print::ReportSelection selection = Selection();
  if (!selection.Any()) {
    CurrentFeedback().Information(this, windowTitle(),
                                  tr("No report is ticked. Tick the reports you want."));
    return;
  }
  if (print_) print_(selection);
  accept();
}

void PrintReportsOnPrinter(QWidget* parent, const RadioConfig& record,
                           const print::ReportSelection& selection, const QPrinterInfo& printer) {
  if (!selection.Any()) return;
  if (printer.isNull()) {
    OfferPdf(parent, record, selection,
             PrintSelectionDialog::tr("There is no printer to print on."));
    return;
  }
  // A fresh printer object for every job, named after its report in the print queue.
  for (const print::Report& report : print::SelectedReports(selection)) {
    QPrinter device(printer, QPrinter::HighResolution);
    device.setDocName(print::ReportText(report.title));
    print::PainterCanvas canvas(device, print::PainterCanvas::Jobs::kOnePerDocument);
    report.print(record, canvas);
    if (!canvas.Finish()) {
      OfferPdf(parent, record, selection,
               PrintSelectionDialog::tr("Printing \"%1\" failed: %2.")
                   .arg(print::ReportText(report.title), canvas.failure()));
      return;
    }
  }
}

std::unique_ptr<QPrintPreviewDialog> MakeReportPreviewDialog(
    QWidget* parent, const RadioConfig& record, const print::ReportSelection& selection) {
  auto dialog = std::make_unique<QPrintPreviewDialog>(parent);
  dialog->setWindowTitle(PrintSelectionDialog::tr("Print Preview"));
  QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                   [record, selection](QPrinter* printer) {
                     print::PainterCanvas canvas(*printer, print::PainterCanvas::Jobs::kOneForAll);
                     print::PrintSelected(record, selection, canvas);
                     canvas.Finish();
                   });
  return dialog;
}

bool ExportReportsToPdf(QWidget* parent, const RadioConfig& record,
                        const print::ReportSelection& selection, QString path) {
  if (!selection.Any()) return false;
  if (path.isEmpty()) {
    path = CurrentFeedback().SaveFileName(parent, PrintSelectionDialog::tr("Export PDF"), QString(),
                                          PdfFileFilter(), QStringLiteral("pdf"));
    if (path.isEmpty()) return false;
  }
  // The sheet the printer would take; without a printer, the one the user's country uses.
  const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
  const QPageSize page = !printer.isNull() ? printer.defaultPageSize()
                         : QLocale().measurementSystem() == QLocale::ImperialUSSystem
                             ? QPageSize(QPageSize::Letter)
                             : QPageSize(QPageSize::A4);
  const auto written = print::WriteReportsPdf(record, selection, path, page);
  if (!written) {
    CurrentFeedback().Warning(parent, PrintSelectionDialog::tr("Warning"),
                              QString::fromStdString(written.error()));
    return false;
  }
  return true;
}

}  // namespace kestrel::ui
