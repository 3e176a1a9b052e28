#include "print/qt/pdf_export.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPdfWriter>

#include "print/qt/painter_canvas.h"

namespace kestrel::print {

namespace {

// A laser printer's unprintable border, so that the file looks like the printed sheet.
constexpr double kMarginMillimetres = 4.2;

}  // namespace

std::expected<void, std::string> WriteReportsPdf(const RadioConfig& record,
                                                 const ReportSelection& selection,
                                                 OutputFile& output, const QPageSize& page_size) {
  if (!selection.Any()) return std::unexpected("no report is chosen");
  QFile file;
  if (!file.open(output.descriptor(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
    return std::unexpected(file.errorString().toStdString());
  }
  {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Kestrel Programming Tool"));
    writer.setPageLayout(QPageLayout(
        page_size, QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
    PainterCanvas canvas(writer, PainterCanvas::Jobs::kOneForAll);
    PrintSelected(record, selection, canvas);
    if (!canvas.Finish()) return std::unexpected(canvas.failure().toStdString());
  }
  // The writer does not report failed writes: the file keeps the first error.
  if (!file.flush() || file.error() != QFileDevice::NoError) {
    return std::unexpected(file.errorString().toStdString());
  }
  file.close();
  return output.Commit();
}

std::expected<void, std::string> WriteReportsPdf(const RadioConfig& record,
                                                 const ReportSelection& selection,
                                                 const QString& path, const QPageSize& page_size) {
  const auto failed = [&path](const std::string& reason) {
    return std::unexpected("cannot write the PDF file " + path.toStdString() + ": " + reason);
  };
  if (!selection.Any()) return failed("no report is chosen");
  auto output = OutputFile::Open(NativePath(path));
  if (!output) return failed(output.error());
  if (auto written = WriteReportsPdf(record, selection, *output, page_size); !written) {
    return failed(written.error());
  }
  return {};
}

}  // namespace kestrel::print
