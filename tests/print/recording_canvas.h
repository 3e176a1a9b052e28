// A canvas that keeps what a report asked of it, with metrics chosen by the test.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "print/report_canvas.h"

namespace kestrel::print::testing {

struct PrintedItem {
  double x;
  double y;
  std::string text;
};
using PrintedPage = std::vector<PrintedItem>;

// One finished document: its pages as a printer would feed them.
using PrintedDocument = std::vector<PrintedPage>;

class RecordingCanvas final : public ReportCanvas {
 public:
  // In a 12-point font every byte of text measures `w` by `h`, so "X" is w by h. Sizes scale with
  // the font, and text measured before any font is set measures 0.
  RecordingCanvas(double w, double h, double page_width, double page_height)
      : w_(w), h_(h), page_width_(page_width), page_height_(page_height) {}

  void SetFontSize(double points) override { scale_ = points / 12; }
  double TextWidth(std::string_view text) const override {
    return scale_ * w_ * static_cast<double>(text.size());
  }
  double TextHeight(std::string_view) const override { return scale_ * h_; }
  double PrintableWidth() const override { return page_width_; }
  double PrintableHeight() const override { return page_height_; }
  void PrintText(double x, double y, std::string_view text) override {
    if (open_.empty() || page_pending_) open_.emplace_back();
    page_pending_ = false;
    open_.back().push_back({x, y, std::string(text)});
  }
  void NewPage() override { page_pending_ = true; }
  void EndDocument() override {
    documents_.push_back(std::exchange(open_, {}));
    page_pending_ = false;
  }

  // The ended documents: text printed after the last EndDocument is not among them.
  const std::vector<PrintedDocument>& documents() const { return documents_; }

 private:
  double w_, h_, page_width_, page_height_;
  double scale_ = 0;
  bool page_pending_ = false;
  PrintedDocument open_;
  std::vector<PrintedDocument> documents_;
};

}  // namespace kestrel::print::testing
