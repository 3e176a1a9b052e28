#include "ui/print_selection_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "model/defaults.h"
#include "support/temp_files.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

// OK with nothing ticked is the window's Print Preview test.
TEST(PrintSelectionDialog, TicksFromTheSettingsWithoutTheFactoryReport) {
  PrintSelectionDialog dialog(SelectionOf({1, 0, 1, 1}), {});
  EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);  // no Cancel
  EXPECT_TRUE(dialog.findChild<QCheckBox*>("chkFactory")->isHidden());
  // The boxes show the settings; the factory report is never chosen, whatever was saved.
  EXPECT_EQ(SettingsOf(dialog.Selection()), (PrintSettings{1, 0, 1, 0}));
  EXPECT_EQ(SettingsOf(SelectionOf({2, -1, 0, 1})), (PrintSettings{0, 0, 0, 0})) << "only 1 ticks";
}

TEST(PrintSelectionDialog, OkHandsTheTickedReportsOverThenAccepts) {
  std::optional<PrintSettings> printed;
  bool accepted_before_print = false;
  PrintSelectionDialog* shown = nullptr;
  PrintSelectionDialog dialog({}, [&](const print::ReportSelection& selection) {
    accepted_before_print = shown->result() == QDialog::Accepted;
    printed = SettingsOf(selection);
  });
  shown = &dialog;
  dialog.show();
  for (const char* name : {"chkSetMode", "chkMemory", "chkSrchBndMem"}) {
    QCheckBox* box = dialog.findChild<QCheckBox*>(name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));  // on the tick
  }
  QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  EXPECT_FALSE(accepted_before_print);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(printed, (PrintSettings{1, 1, 1, 0}));
}

// A PDF written whole is the window's Export PDF test.
TEST(PrintReports, WithoutAPrinterOfferAPdfAndAFailedPdfOrThePreviewWrite) {
  testing::RecordingFeedback feedback;  // every question is answered "no"
  PrintReportsOnPrinter(nullptr, NewConfiguration(), print::kAllReports, QPrinterInfo());
  EXPECT_EQ(feedback.questions, QStringList{"There is no printer to print on.\n\nSave the "
                                            "reports as a PDF file instead?"});
  PrintReportsOnPrinter(nullptr, NewConfiguration(), {}, QPrinterInfo());  // nothing to print
  EXPECT_EQ(feedback.questions.size(), 1);

  QTemporaryDir dir;
  EXPECT_FALSE(ExportReportsToPdf(nullptr, NewConfiguration(), print::kAllReports,
                                  dir.filePath("missing/reports.pdf")));
  ASSERT_EQ(feedback.warnings.size(), 1);
  EXPECT_TRUE(feedback.warnings[0].contains("missing/reports.pdf"));

  // The preview paints the same pages on the printer it is given.
  auto preview = MakeReportPreviewDialog(nullptr, NewConfiguration(), print::kAllReports);
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("preview.pdf"));
  emit preview->paintRequested(&printer);
  EXPECT_TRUE(
      kestrel::testing::ReadAll(dir.filePath("preview.pdf").toStdString()).starts_with("%PDF-"));
}

}  // namespace
}  // namespace kestrel::ui
