#include "print/qt/painter_canvas.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPrinter>

#include "files/output_file.h"
#include "model/cp1252.h"

namespace kestrel::print {

namespace {

// The device as the user knows it.
QString DeviceName(const QPagedPaintDevice& device) {
  const auto* printer = dynamic_cast<const QPrinter*>(&device);
  if (!printer) return QStringLiteral("the PDF");
  if (!printer->outputFileName().isEmpty()) return "the file " + printer->outputFileName();
  return "the printer \"" + printer->printerName() + "\"";
}

// Why a job cannot start on `device`, found out before QPainter::begin, which would only say
// that it failed; empty when nothing is known to be wrong.
QString ProblemOf(const QPagedPaintDevice& device) {
  const auto* printer = dynamic_cast<const QPrinter*>(&device);
  if (!printer) return {};
  if (!printer->outputFileName().isEmpty()) {
    // A trial output, removed again, tells whether and why the file cannot be written.
    const auto trial = OutputFile::Open(NativePath(printer->outputFileName()));
    if (!trial)
      return DeviceName(device) + " cannot be written: " + QString::fromStdString(trial.error());
    return {};
  }
  if (!printer->isValid()) return DeviceName(device) + " is not available";
  return {};
}

}  // namespace

QString ReportText(std::string_view text) {
  return QString::fromStdString(Cp1252ToUtf8(text));
}

std::filesystem::path NativePath(const QString& path) {
#ifdef _WIN32
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

PainterCanvas::PainterCanvas(QPagedPaintDevice& device, Jobs jobs)
    : device_(device), jobs_(jobs), font_(QStringLiteral("Arial")) {
  font_.setStyleHint(QFont::SansSerif);
}

PainterCanvas::~PainterCanvas() {
  Finish();
}

void PainterCanvas::SetFontSize(double points) {
  font_.setPointSizeF(points);
  if (painter_.isActive()) painter_.setFont(font_);
}

double PainterCanvas::TextWidth(std::string_view text) const {
  return QFontMetricsF(font_, &device_).horizontalAdvance(ReportText(text));
}

double PainterCanvas::TextHeight(std::string_view) const {
  return QFontMetricsF(font_, &device_).height();
}

double PainterCanvas::PrintableWidth() const {
  return device_.width();
}

double PainterCanvas::PrintableHeight() const {
  return device_.height();
}

bool PainterCanvas::StartPainting() {
  if (failed()) return false;
  if (!painter_.isActive()) {
    if (const QString problem = ProblemOf(device_); !problem.isEmpty()) {
      failure_ = problem;
      return false;
    }
    if (!painter_.begin(&device_)) {
      failure_ = DeviceName(device_) + " did not accept the job";
      return false;
    }
    painter_.setFont(font_);
    page_pending_ = false;
  }
  if (page_pending_) {
    page_pending_ = false;
    if (!device_.newPage()) {
      failure_ = DeviceName(device_) + " did not start a new page";
      painter_.end();
      return false;
    }
  }
  return true;
}

void PainterCanvas::PrintText(double x, double y, std::string_view text) {
  if (text.empty() || !StartPainting()) return;
  const QFontMetricsF metrics(font_, &device_);
  painter_.drawText(QPointF(x, y + metrics.ascent()), ReportText(text));
}

void PainterCanvas::NewPage() {
  if (painter_.isActive()) page_pending_ = true;
}

void PainterCanvas::EndDocument() {
  if (!painter_.isActive()) return;
  if (jobs_ == Jobs::kOnePerDocument) {
    painter_.end();
    page_pending_ = false;
  } else {
    page_pending_ = true;
  }
}

bool PainterCanvas::Finish() {
  if (painter_.isActive()) painter_.end();
  page_pending_ = false;
  return !failed();
}

}  // namespace kestrel::print
