// A canvas that keeps what a report asked of it, with metrics chosen by the test.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "print/report_canvas.h"

namespace kestrel::print::testing {

struct PrintedItem {
  double x;
  double y;
  std::string text;
  bool operator==(const PrintedItem&) const = default;
};

using PrintedPage = std::vector<PrintedItem>;

// One finished document: its pages as a printer would feed them.
struct PrintedDocument {
  std::vector<PrintedPage> pages;
  double font_points_when_measured = 0;
};

class RecordingCanvas final : public ReportCanvas {
 public:
  // "X" measures `w` by `h`; other texts are `w` per byte wide.
  RecordingCanvas(double w, double h, double page_width, double page_height)
      : w_(w), h_(h), page_width_(page_width), page_height_(page_height) {}

  void SetFontSize(double points) override { font_points_ = points; }
  double TextWidth(std::string_view text) const override {
    measured_at_ = font_points_;
    return w_ * static_cast<double>(text.size());
  }
  double TextHeight(std::string_view) const override {
    measured_at_ = font_points_;
    return h_;
  }
  double PrintableWidth() const override { return page_width_; }
  double PrintableHeight() const override { return page_height_; }

  void PrintText(double x, double y, std::string_view text) override {
    if (open_.pages.empty() || page_pending_) open_.pages.emplace_back();
    page_pending_ = false;
    open_.pages.back().push_back({x, y, std::string(text)});
  }
  void NewPage() override { page_pending_ = true; }
  void EndDocument() override {
    open_.font_points_when_measured = measured_at_;
    documents_.push_back(open_);
    open_ = {};
    page_pending_ = false;
  }

  const std::vector<PrintedDocument>& documents() const { return documents_; }
  // Items printed but not yet ended by EndDocument.
  bool HasOpenDocument() const { return !open_.pages.empty(); }

 private:
  double w_, h_, page_width_, page_height_;
  double font_points_ = 0;
  mutable double measured_at_ = 0;
  bool page_pending_ = false;
  PrintedDocument open_;
  std::vector<PrintedDocument> documents_;
};

// The text printed at (x, y) on `page`, or nullptr when nothing is there.
inline const std::string* TextAt(const PrintedPage& page, double x, double y) {
  for (const PrintedItem& item : page) {
    if (item.x == x && item.y == y) return &item.text;
  }
  return nullptr;
}

}  // namespace kestrel::print::testing
