#include "print/qt/painter_canvas.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

#include "model/cp1252.h"

namespace kestrel::print {

QString ReportText(std::string_view text) {
  return QString::fromStdString(Cp1252ToUtf8(text));
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
  if (failed_) return false;
  if (!painter_.isActive()) {
    if (!painter_.begin(&device_)) {
      failed_ = true;
      return false;
    }
    painter_.setFont(font_);
    page_pending_ = false;
  }
  if (page_pending_) {
    page_pending_ = false;
    if (!device_.newPage()) {
      failed_ = true;
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
  return !failed_;
}

}  // namespace kestrel::print
