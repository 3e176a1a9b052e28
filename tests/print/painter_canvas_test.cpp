#include "print/qt/painter_canvas.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "model/defaults.h"
#include "print/qt/pdf_export.h"

namespace kestrel::print {
namespace {

TEST(PainterCanvas, MeasuresInDevicePixelsAtTwelvePoints) {
  QTemporaryDir dir;
  QPdfWriter writer(dir.filePath("m.pdf"));
  writer.setResolution(300);
  PainterCanvas canvas(writer, PainterCanvas::Jobs::kOneForAll);
  canvas.SetFontSize(12);
  // 12 points at 300 dpi are 50 pixels; "X" of Arial is two thirds of the em.
  EXPECT_NEAR(canvas.TextWidth("X"), 50 * 0.667, 3);
  EXPECT_GT(canvas.TextHeight("X"), 50);
  EXPECT_LT(canvas.TextHeight("X"), 65);
  EXPECT_GT(canvas.TextWidth("Frequency"), 5 * canvas.TextWidth("X"));
  EXPECT_GT(canvas.PrintableWidth(), 2300);
  EXPECT_GT(canvas.PrintableHeight(), 3300);
  EXPECT_TRUE(canvas.Finish());
}

TEST(PdfExport, WritesPagesAndReportsAFileThatCannotBeWritten) {
  QTemporaryDir dir;
  const QString path = dir.filePath("reports.pdf");
  ASSERT_TRUE(WriteReportsPdf(NewConfiguration(), kAllReports, path).has_value());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray pdf = file.readAll();
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  // A page for Set Mode and for the bands; the 89 presets take one or two pages.
  const auto pages =
      pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ");
  EXPECT_GE(pages, 3);
  EXPECT_LE(pages, 4);

  const auto missing =
      WriteReportsPdf(NewConfiguration(), kAllReports, dir.filePath("no/such/dir/r.pdf"));
  ASSERT_FALSE(missing.has_value());
  EXPECT_NE(missing.error().find("no/such/dir/r.pdf"), std::string::npos);

  const auto none = WriteReportsPdf(NewConfiguration(), {}, path);
  EXPECT_FALSE(none.has_value());
}

}  // namespace
}  // namespace kestrel::print
