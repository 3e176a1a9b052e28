#include "print/qt/pdf_export.h"

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
                                                 const QString& path, const QPageSize& page_size) {
  if (!selection.Any()) return std::unexpected("no report chosen for " + path.toStdString());
  QPdfWriter writer(path);
  writer.setCreator(QStringLiteral("Kestrel Programming Tool"));
  writer.setPageLayout(QPageLayout(
      page_size, QPageLayout::Portrait,
      QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
      QPageLayout::Millimeter));
  PainterCanvas canvas(writer, PainterCanvas::Jobs::kOneForAll);
  PrintSelected(record, selection, canvas);
  if (!canvas.Finish()) return std::unexpected("cannot write the PDF file " + path.toStdString());
  return {};
}

}  // namespace kestrel::print
