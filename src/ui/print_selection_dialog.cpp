#include "ui/print_selection_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

#include "print/qt/painter_canvas.h"
#include "print/qt/pdf_export.h"
#include "ui/feedback.h"

namespace kestrel::ui {

namespace {

// The dialog's layout is given in twips; the screen has 15 of them to a pixel.
constexpr int Px(int twips) {
  return twips / 15;
}

QCheckBox* AddBox(QWidget* frame, const char* object_name, const QString& caption, int top) {
  auto* box = new QCheckBox(caption, frame);
  box->setObjectName(QString::fromLatin1(object_name));
  box->setGeometry(Px(615), Px(top), Px(3300), Px(420));
  return box;
}

void OfferPdf(QWidget* parent, const RadioConfig& record, const print::ReportSelection& selection,
              const QString& why) {
  const auto answer = CurrentFeedback().Question(
      parent, QStringLiteral("Print"),
      why + QStringLiteral("\n\nSave the reports as a PDF file instead?"),
      QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  if (answer == QMessageBox::Yes) ExportReportsToPdf(parent, record, selection);
}

}  // namespace

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
  setWindowTitle(QStringLiteral("Print Selection"));
  setFont(QFont(QStringLiteral("Arial")));
  setFixedSize(Px(4680), Px(2970));

  auto* frame = new QGroupBox(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setGeometry(Px(120), Px(90), Px(4425), Px(2790));
  set_mode_ = AddBox(frame, "chkSetMode", QStringLiteral("    Set Mode"), 360);
  memory_ = AddBox(frame, "chkMemory", QStringLiteral("    Memory"), 780);
  search_band_ = AddBox(frame, "chkSrchBndMem", QStringLiteral("    Search Band Memory"), 1215);
  factory_ = AddBox(frame, "chkFactory", QStringLiteral("    Factory Setting"), 1680);

  ok_ = new QPushButton(QStringLiteral("&OK"), frame);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  ok_->setGeometry(Px(1335), Px(2235), Px(1485), Px(405));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &PrintSelectionDialog::Confirm);

  set_mode_->setChecked(ticked.set_mode);
  memory_->setChecked(ticked.memory);
  search_band_->setChecked(ticked.search_band);
  // There is no factory report: the box stays hidden and unticked whatever was saved.
  factory_->setChecked(false);
  factory_->hide();

  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
  }
}

print::ReportSelection PrintSelectionDialog::Selection() const {
  return {set_mode_->isChecked(), memory_->isChecked(), search_band_->isChecked()};
}

void PrintSelectionDialog::Confirm() {
  const print::ReportSelection selection = Selection();
  if (print_ && selection.Any()) print_(selection);
  accept();
}

void PrintReportsOnPrinter(QWidget* parent, const RadioConfig& record,
                           const print::ReportSelection& selection, const QPrinterInfo& printer) {
  if (!selection.Any()) return;
  if (printer.isNull()) {
    OfferPdf(parent, record, selection, QStringLiteral("There is no printer to print on."));
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
               QStringLiteral("Printing \"%1\" failed: %2.")
                   .arg(print::ReportText(report.title), canvas.failure()));
      return;
    }
  }
}

std::unique_ptr<QPrintPreviewDialog> MakeReportPreviewDialog(
    QWidget* parent, const RadioConfig& record, const print::ReportSelection& selection) {
  auto dialog = std::make_unique<QPrintPreviewDialog>(parent);
  dialog->setWindowTitle(QStringLiteral("Print Preview"));
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
  if (!selection.Any()) {
    CurrentFeedback().Information(parent, QStringLiteral("Export PDF"),
                                  QStringLiteral("No report is ticked in File > Print."));
    return false;
  }
  if (path.isEmpty()) {
    path = QFileDialog::getSaveFileName(parent, QStringLiteral("Export PDF"), QString(),
                                        QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
  }
  // The sheet the printer would take; without a printer, the one the user's country uses.
  const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
  const QPageSize page = !printer.isNull() ? printer.defaultPageSize()
                         : QLocale().measurementSystem() == QLocale::ImperialUSSystem
                             ? QPageSize(QPageSize::Letter)
                             : QPageSize(QPageSize::A4);
  const auto written = print::WriteReportsPdf(record, selection, path, page);
  if (!written) {
    CurrentFeedback().Warning(parent, QStringLiteral("Warning"),
                              QString::fromStdString(written.error()));
    return false;
  }
  return true;
}

}  // namespace kestrel::ui
