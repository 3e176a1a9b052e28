// A canvas of character cells: every character is one unit wide and one line high, so the
// reports come out as plain text, one text line per printed line. Used by `kestrel-cli show`.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "print/report_canvas.h"

namespace kestrel::print {

class TextCanvas final : public ReportCanvas {
 public:
  // A page of `columns` characters by `lines` lines; 80 by 66 is a classic printer page.
  explicit TextCanvas(int columns = 80, int lines = 66);

  void SetFontSize(double) override {}
  double TextWidth(std::string_view text) const override;
  double TextHeight(std::string_view) const override { return 1; }
  double PrintableWidth() const override { return columns_; }
  double PrintableHeight() const override { return lines_; }
  void PrintText(double x, double y, std::string_view text) override;
  void NewPage() override { page_pending_ = true; }
  void EndDocument() override { page_pending_ = true; }

  // Everything printed so far as UTF-8: the lines of each page top to bottom without the blank
  // lines between them, items at their columns (a blank apart when one runs into the next), and
  // a form feed before the first line of every page after the first.
  std::string Text() const;

 private:
  struct Item {
    double x;
    std::string text;
  };
  using Page = std::map<double, std::vector<Item>>;  // lines by their position

  int columns_;
  int lines_;
  std::vector<Page> pages_;
  bool page_pending_ = true;
};

}  // namespace kestrel::print
