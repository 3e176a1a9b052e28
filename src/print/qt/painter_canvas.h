// The report canvas on a Qt paged device: a QPrinter (the system's printer, or the preview's) or
// a QPdfWriter. Positions are the device's pixels inside its printable area; the report font is
// Arial (Liberation Sans where Arial is not installed), sized in points for the device.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <filesystem>

#include "print/report_canvas.h"

class QPagedPaintDevice;

namespace kestrel::print {

class PainterCanvas final : public ReportCanvas {
 public:
  enum class Jobs {
    kOnePerDocument,  // every report is its own print job (a printer)
    kOneForAll,       // the reports follow one another on new pages (a PDF file, a preview)
  };

  PainterCanvas(QPagedPaintDevice& device, Jobs jobs);
  ~PainterCanvas() override;
  PainterCanvas(const PainterCanvas&) = delete;
  PainterCanvas& operator=(const PainterCanvas&) = delete;

  void SetFontSize(double points) override;
  double TextWidth(std::string_view text) const override;
  double TextHeight(std::string_view text) const override;
  double PrintableWidth() const override;
  double PrintableHeight() const override;
  void PrintText(double x, double y, std::string_view text) override;
  void NewPage() override;
  void EndDocument() override;

  // Ends the last job. Returns false when the device could not be painted on (no printer, a PDF
  // file that cannot be written) or refused a page; nothing more is painted after that.
  bool Finish();
  bool failed() const { return !failure_.isEmpty(); }
  // Which printer or file failed and why, as far as the system tells: "the printer "Laser" is
  // not available".
  const QString& failure() const { return failure_; }

 private:
  bool StartPainting();

  QPagedPaintDevice& device_;
  Jobs jobs_;
  QPainter painter_;
  QFont font_;
  bool page_pending_ = false;  // the next text starts a new page
  QString failure_;
};

// Windows-1252 report text as a QString.
QString ReportText(std::string_view text);

// `path` as the system names the file.
std::filesystem::path NativePath(const QString& path);

}  // namespace kestrel::print
