#include "print/qt/painter_canvas.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include "model/defaults.h"
#include "print/qt/pdf_export.h"
#include "support/temp_files.h"

namespace kestrel::print {
namespace {

TEST(PainterCanvas, MeasuresInDevicePixelsAndExportsPagesToAPdfFile) {
  QTemporaryDir dir;
  QPdfWriter writer(dir.filePath("m.pdf"));
  writer.setResolution(300);
  PainterCanvas canvas(writer, PainterCanvas::Jobs::kOneForAll);
  canvas.SetFontSize(12);
  // 12 points at 300 dpi are 50 pixels; "X" of Arial is two thirds of the em.
  EXPECT_NEAR(canvas.TextWidth("X"), 50 * 0.667, 3);
  EXPECT_NEAR(canvas.TextHeight("X"), 57.5, 7.5);
  EXPECT_GT(canvas.TextWidth("Frequency"), 5 * canvas.TextWidth("X"));
  EXPECT_GT(canvas.PrintableWidth(), 2300);
  EXPECT_GT(canvas.PrintableHeight(), 3300);
  EXPECT_TRUE(canvas.Finish());

  // A page each for Set Mode and the bands; the 89 presets take two or three pages of A4 and
  // many more of A6.
  const QString path = dir.filePath("reports.pdf");
  const auto pages = [&path](const ReportSelection& selection, QPageSize::PageSizeId size) {
    EXPECT_TRUE(WriteReportsPdf(NewConfiguration(), selection, path, QPageSize(size)));
    const QByteArray pdf = QByteArray::fromStdString(kestrel::testing::ReadAll(path.toStdString()));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    return pdf.count("/Type /Page") - pdf.count("/Type /Pages");
  };
  const auto a4 = pages(kAllReports, QPageSize::A4);
  EXPECT_TRUE(a4 == 4 || a4 == 5) << a4;
  EXPECT_GT(pages({false, true, false}, QPageSize::A6), 5);

  const auto missing =
      WriteReportsPdf(NewConfiguration(), kAllReports, dir.filePath("no/such/dir/r.pdf"));
  ASSERT_FALSE(missing.has_value());
  EXPECT_NE(missing.error().find("no/such/dir/r.pdf"), std::string::npos);
  EXPECT_FALSE(WriteReportsPdf(NewConfiguration(), {}, path).has_value());
}

TEST(PainterCanvas, AFailedPdfSaysWhyAndLeavesTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("old.pdf");
  kestrel::testing::WriteAll(path.toStdString(), "old");
  std::expected<void, std::string> written;
  kestrel::testing::WithSmallFileSizeLimit(
      [&] { written = WriteReportsPdf(NewConfiguration(), kAllReports, path); });
  ASSERT_FALSE(written.has_value());
  EXPECT_EQ(written.error(),
            "cannot write the PDF file " + path.toStdString() + ": File too large");
  EXPECT_EQ(kestrel::testing::ReadAll(path.toStdString()), "old");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.pdf"});

  // A printer that prints into a file names the file and the reason, before painting starts.
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("none/p.pdf"));
  PainterCanvas canvas(printer, PainterCanvas::Jobs::kOnePerDocument);
  canvas.PrintText(0, 0, "x");
  EXPECT_FALSE(canvas.Finish());
  EXPECT_EQ(canvas.failure(), "the file " + dir.filePath("none/p.pdf") +
                                  " cannot be written: No such file or directory");
}

}  // namespace
}  // namespace kestrel::print
