#include "ui/print_selection_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "../print/recording_canvas.h"
#include "model/defaults.h"
#include "ui/feedback.h"

namespace kestrel::ui {
namespace {

QCheckBox* Box(QDialog& dialog, const char* name) {
  return dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
}

QPushButton* Ok(QDialog& dialog) {
  return dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
}

// Answers every question with a set button and keeps what it was asked.
class ScriptedFeedback : public Feedback {
 public:
  explicit ScriptedFeedback(QMessageBox::StandardButton answer) : answer_(answer) {
    SetFeedback(this);
  }
  ~ScriptedFeedback() override { SetFeedback(nullptr); }
  void Beep() override {}
  void Information(QWidget*, const QString&, const QString& text) override { said << text; }
  void Warning(QWidget*, const QString&, const QString& text) override { said << text; }
  QMessageBox::StandardButton Question(QWidget*, const QString&, const QString& text,
                                       QMessageBox::StandardButtons,
                                       QMessageBox::StandardButton) override {
    said << text;
    return answer_;
  }
  QStringList said;

 private:
  QMessageBox::StandardButton answer_;
};

TEST(PrintSelectionDialog, CaptionsLayoutAndTicksFromTheSettings) {
  PrintSelectionDialog dialog({1, 0, 1, 1}, {});
  EXPECT_EQ(dialog.windowTitle(), "Print Selection");
  EXPECT_EQ(dialog.size(), QSize(312, 198));
  EXPECT_EQ(dialog.font().family(), "Arial");
  EXPECT_EQ(Box(dialog, "chkSetMode")->text(), "    Set Mode");
  EXPECT_EQ(Box(dialog, "chkMemory")->text(), "    Memory");
  EXPECT_EQ(Box(dialog, "chkSrchBndMem")->text(), "    Search Band Memory");
  EXPECT_EQ(Box(dialog, "chkFactory")->text(), "    Factory Setting");
  EXPECT_EQ(Ok(dialog)->text(), "&OK");
  EXPECT_EQ(dialog.findChild<QGroupBox*>(QStringLiteral("Frame1"))->geometry(),
            QRect(8, 6, 295, 186));
  EXPECT_EQ(Box(dialog, "chkSrchBndMem")->geometry(), QRect(41, 81, 220, 28));
  EXPECT_EQ(Ok(dialog)->geometry(), QRect(89, 149, 99, 27));
  EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);  // no Cancel

  EXPECT_TRUE(Box(dialog, "chkSetMode")->isChecked());
  EXPECT_FALSE(Box(dialog, "chkMemory")->isChecked());
  EXPECT_TRUE(Box(dialog, "chkSrchBndMem")->isChecked());
  EXPECT_FALSE(Box(dialog, "chkFactory")->isChecked());
  EXPECT_TRUE(Box(dialog, "chkFactory")->isHidden());
  EXPECT_EQ(dialog.Flags(), (PrintFlags{1, 0, 1, 0}));  // the factory flag goes back as 0

  PrintSelectionDialog other({2, -1, 0, 0}, {});  // only exactly 1 ticks
  EXPECT_FALSE(Box(other, "chkSetMode")->isChecked());
  EXPECT_FALSE(Box(other, "chkMemory")->isChecked());
  EXPECT_EQ(other.Flags(), (PrintFlags{0, 0, 0, 0}));
}

TEST(PrintSelectionDialog, OkPrintsTheTickedReportsAsSeparateJobsThenAccepts) {
  const RadioConfig record = NewConfiguration();
  print::testing::RecordingCanvas canvas(10, 20, 1000, 1400);
  bool accepted_before_print = false;
  PrintSelectionDialog* shown = nullptr;
  PrintSelectionDialog dialog({0, 0, 0, 0}, [&](const print::ReportSelection& selection) {
    accepted_before_print = shown->result() == QDialog::Accepted;
    print::PrintSelected(record, selection, canvas);
  });
  shown = &dialog;
  dialog.show();
  for (const char* name : {"chkSetMode", "chkMemory", "chkSrchBndMem"}) {
    QCheckBox* box = Box(dialog, name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));  // on the tick
  }
  QTest::mouseClick(Ok(dialog), Qt::LeftButton);

  EXPECT_FALSE(accepted_before_print);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  ASSERT_EQ(canvas.documents().size(), 3u);
  EXPECT_EQ(canvas.documents()[0].pages.at(0).at(0).text, print::kSetModeTitle);
  EXPECT_EQ(canvas.documents()[1].pages.at(0).at(0).text, print::kMemoryTitle);
  EXPECT_EQ(canvas.documents()[2].pages.at(0).at(0).text, print::kSearchBandTitle);
  EXPECT_EQ(dialog.Flags(), (PrintFlags{1, 1, 1, 0}));
}

TEST(PrintSelectionDialog, NothingTickedPrintsNothingAndTheCloseBoxCancels) {
  int prints = 0;
  PrintSelectionDialog empty({0, 0, 0, 1}, [&](const print::ReportSelection&) { ++prints; });
  empty.show();
  QTest::keyClick(Ok(empty), Qt::Key_Space);
  EXPECT_EQ(empty.result(), QDialog::Accepted);
  EXPECT_EQ(prints, 0);
  EXPECT_EQ(empty.Flags(), (PrintFlags{0, 0, 0, 0}));

  PrintSelectionDialog closed({1, 1, 1, 0}, [&](const print::ReportSelection&) { ++prints; });
  closed.show();
  closed.close();
  EXPECT_EQ(closed.result(), QDialog::Rejected);
  EXPECT_EQ(prints, 0);
}

TEST(PrintReports, WithoutAPrinterOffersAPdfAndNeverFails) {
  ScriptedFeedback feedback(QMessageBox::No);
  PrintReportsOnPrinter(nullptr, NewConfiguration(), print::kAllReports, QPrinterInfo());
  ASSERT_EQ(feedback.said.size(), 1);
  EXPECT_TRUE(feedback.said[0].contains("no printer"));
  EXPECT_TRUE(feedback.said[0].contains("PDF"));

  PrintReportsOnPrinter(nullptr, NewConfiguration(), {}, QPrinterInfo());  // nothing to print
  EXPECT_EQ(feedback.said.size(), 1);
}

TEST(PrintReports, PdfExportAndPreview) {
  ScriptedFeedback feedback(QMessageBox::No);
  QTemporaryDir dir;
  const QString path = dir.filePath("reports.pdf");
  EXPECT_TRUE(ExportReportsToPdf(nullptr, NewConfiguration(), {false, false, true}, path));
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_TRUE(feedback.said.isEmpty());

  EXPECT_FALSE(ExportReportsToPdf(nullptr, NewConfiguration(), print::kAllReports,
                                  dir.filePath("missing/reports.pdf")));
  ASSERT_EQ(feedback.said.size(), 1);
  EXPECT_TRUE(feedback.said[0].contains("missing/reports.pdf"));

  EXPECT_FALSE(ExportReportsToPdf(nullptr, NewConfiguration(), {}, path));
  EXPECT_EQ(feedback.said.size(), 2);  // told that nothing is ticked

  // The preview paints the same pages on the printer it is given.
  auto preview = MakeReportPreviewDialog(nullptr, NewConfiguration(), print::kAllReports);
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString preview_path = dir.filePath("preview.pdf");
  printer.setOutputFileName(preview_path);
  emit preview->paintRequested(&printer);
  QFile file(preview_path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("%PDF-"));
}

}  // namespace
}  // namespace kestrel::ui
