// The three printed reports of a configuration: Set Mode, memory channels and search bands. Each
// sets its font, measures the text "X" for its grid of positions, prints every item at an
// explicit place and ends its document.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/radio_config.h"
#include "print/report_canvas.h"

namespace kestrel::print {

inline constexpr double kReportFontPoints = 12;

inline constexpr std::string_view kSetModeTitle = "Kestrel Set Mode";
inline constexpr std::string_view kMemoryTitle = "Kestrel Memory";
inline constexpr std::string_view kSearchBandTitle = "Kestrel Search Band memory";

// Which reports to print. They always print in this order, each as its own document.
struct ReportSelection {
  bool set_mode = false;
  bool memory = false;
  bool search_band = false;

  bool Any() const { return set_mode || memory || search_band; }
  bool operator==(const ReportSelection&) const = default;
};

inline constexpr ReportSelection kAllReports{true, true, true};

// The 35 functions with their stored values, in two double-spaced columns; one page.
void PrintSetModeReport(const RadioConfig& record, ReportCanvas& canvas);

// One line per programmed channel, as many pages as needed, each under the title and the column
// headings.
void PrintMemoryReport(const RadioConfig& record, ReportCanvas& canvas);

// The 24 search bands with their limits as stored; one page.
void PrintSearchBandReport(const RadioConfig& record, ReportCanvas& canvas);

// One report: its title and the operation that prints it.
struct Report {
  std::string_view title;
  void (*print)(const RadioConfig& record, ReportCanvas& canvas);
};

// The selected reports in the fixed order Set Mode, memory, search band.
std::vector<Report> SelectedReports(const ReportSelection& selection);

// Prints the selected reports in that order, each ended as its own document.
void PrintSelected(const RadioConfig& record, const ReportSelection& selection,
                   ReportCanvas& canvas);

// Channel lines per memory report page for a printable height and a line height: the page less
// the heading and a bottom margin of 16 lines, but at least one line, so that a small page or
// a font that measures 0 still prints every channel once.
int MemoryLinesPerPage(double printable_height, double line_height);

}  // namespace kestrel::print
