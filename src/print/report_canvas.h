// The drawing surface the printed reports are laid out on: exactly the operations a report needs.
// Positions and sizes are in the surface's own units, measured from the top-left corner of the
// printable area, so a report scales with the resolution of whatever it is printed on.
#pragma once

#include <string_view>

namespace kestrel::print {

class ReportCanvas {
 public:
  virtual ~ReportCanvas() = default;

  // The report font's size in points; later measuring and printing use it.
  virtual void SetFontSize(double points) = 0;

  // Width and height of `text` (Windows-1252 bytes) in the report font.
  virtual double TextWidth(std::string_view text) const = 0;
  virtual double TextHeight(std::string_view text) const = 0;

  // Size of the printable area.
  virtual double PrintableWidth() const = 0;
  virtual double PrintableHeight() const = 0;

  // Prints `text` (Windows-1252 bytes) with its top-left corner at (x, y) of the current page.
  virtual void PrintText(double x, double y, std::string_view text) = 0;

  // Later text goes on a fresh page. A page that receives no text before EndDocument is not
  // printed, so a report that fills its last page exactly does not end with a blank sheet.
  virtual void NewPage() = 0;

  // Finishes the report: on a printer, the end of its print job.
  virtual void EndDocument() = 0;
};

}  // namespace kestrel::print
