#include "print/reports.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "model/display_texts.h"
#include "model/number_text.h"
#include "model/value_tables.h"

namespace kestrel::print {

namespace {

// The grid every report is laid on: the size of "X" and of the printable area.
struct Metrics {
  double w = 0;
  double h = 0;
  double page_width = 0;
  double page_height = 0;
};

Metrics StartReport(ReportCanvas& canvas) {
  canvas.SetFontSize(kReportFontPoints);
  return {canvas.TextWidth("X"), canvas.TextHeight("X"), canvas.PrintableWidth(),
          canvas.PrintableHeight()};
}

void PrintTitle(ReportCanvas& canvas, const Metrics& m, std::string_view title) {
  canvas.PrintText(m.page_width / 2 - canvas.TextWidth(title) / 2, 3 * m.h, title);
}

std::string TwoDigits(int value) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%02d", value);
  return text.data();
}

// "00 STEP" and ": AUTO"; functions without a table print ": " alone, and so does a stored
// position outside its table.
void PrintFunction(ReportCanvas& canvas, const RadioConfig& record, int function, double name_x,
                   double value_x, double y) {
  canvas.PrintText(name_x, y,
                   TwoDigits(function) + " " + std::string(SetModeFunctionName(function)));
  const std::string_view value =
      TableEntry(SetModeValueTable(function), record.SetMode[static_cast<std::size_t>(function)]);
  std::string value_text = ": ";
  value_text += value;
  canvas.PrintText(value_x, y, value_text);
}

// Column positions of the memory report, in units of w. Each column is as wide as its widest
// text in a proportional font (a frequency of 1299.99500, a name of six capitals, "Tone select",
// "NORMAL") plus a gap, so that no two columns touch and the line ends at 69w, inside the
// printable width of A4 and Letter at 12 points.
struct MemoryColumn {
  double x;
  std::string_view heading;
};

constexpr std::array<MemoryColumn, kChannelColumnCount> kMemoryColumns{{
    {3, "No."},
    {7, "Frequency"},
    {16, "NAME"},
    {25, "Mode"},
    {29.5, "Tone select"},
    {38, "TSQ"},
    {42.5, "R TSQ"},
    {48, "DCS"},
    {52, "R DCS"},
    {59.5, "V.INV"},
    {64.5, "TRAIN"},
}};

void PrintMemoryPageHeading(ReportCanvas& canvas, const Metrics& m) {
  PrintTitle(canvas, m, kMemoryTitle);
  for (const MemoryColumn& column : kMemoryColumns) {
    canvas.PrintText(column.x * m.w, 6 * m.h, column.heading);
  }
}

// The texts of one channel line: the grid's row texts, but the name as stored, blanks and all.
ChannelRowTexts ChannelLineTexts(const MemoryChannel& channel, int number) {
  ChannelRowTexts texts = ChannelTexts(channel, number);
  texts[static_cast<std::size_t>(ChannelColumn::kName)] = channel.Name;
  return texts;
}

double Whole(double value) {
  return RoundHalfEven(value);
}

}  // namespace

void PrintSetModeReport(const RadioConfig& record, ReportCanvas& canvas) {
  const Metrics m = StartReport(canvas);
  PrintTitle(canvas, m, kSetModeTitle);
  constexpr int kFirstRight = 21;
  for (int i = 0; i < kFirstRight; ++i) {
    PrintFunction(canvas, record, i, 3 * m.w, 20 * m.w, m.h * (2 * i + 10));
  }
  for (int i = kFirstRight; i < kSetModeFunctionCount; ++i) {
    PrintFunction(canvas, record, i, m.page_width / 2, m.page_width / 2 + 17 * m.w,
                  m.h * (2 * (i - kFirstRight) + 10));
  }
  canvas.EndDocument();
}

int MemoryLinesPerPage(double printable_height, double line_height) {
  constexpr int kReservedLines = 16;
  const double h = Whole(line_height);
  if (!(h >= 1)) return 1;
  const double lines = std::floor(Whole(printable_height) / h) - kReservedLines;
  return lines >= 1 ? static_cast<int>(std::fmin(lines, kChannelCount)) : 1;
}

void PrintMemoryReport(const RadioConfig& record, ReportCanvas& canvas) {
  const Metrics m = StartReport(canvas);
  const int lines_per_page = MemoryLinesPerPage(m.page_height, m.h);
  // Channel lines sit on whole units, as the printer's integer positions did.
  const double w = Whole(m.w);
  const double h = Whole(m.h);
  int k = 0;  // channel lines on the current page
  // The heading goes once on each page, not again for every empty channel that passes while the
  // page has no line yet (the same text printed over itself hundreds of times).
  bool heading_due = true;
  for (int n = 1; n <= kChannelCount; ++n) {
    if (heading_due) {
      PrintMemoryPageHeading(canvas, m);
      heading_due = false;
    }
    const MemoryChannel& channel = record.Channel(n);
    if (channel.IsProgrammed()) {
      const auto texts = ChannelLineTexts(channel, n);
      for (std::size_t c = 0; c < kMemoryColumns.size(); ++c) {
        canvas.PrintText(kMemoryColumns[c].x * w, h * (k + 8), texts[c]);
      }
      ++k;
    }
    if (k >= lines_per_page) {
      canvas.NewPage();
      k = 0;
      heading_due = true;
    }
  }
  canvas.EndDocument();
}

void PrintSearchBandReport(const RadioConfig& record, ReportCanvas& canvas) {
  const Metrics m = StartReport(canvas);
  PrintTitle(canvas, m, kSearchBandTitle);
  canvas.PrintText(20 * m.w, 6 * m.h, "Low Frequency");
  canvas.PrintText(40 * m.w, 6 * m.h, "Upper Frequency");
  for (int i = 0; i < kSearchBandCount; ++i) {
    const double y = Whole(m.h * (2 * i + 8));
    const SearchBand& band = record.Band(i);
    canvas.PrintText(10 * m.w, y, SearchBandLabel(i));
    canvas.PrintText(20 * m.w, y, band.LowFrequency);
    canvas.PrintText(40 * m.w, y, band.UpperFrequency);
  }
  canvas.EndDocument();
}

std::vector<Report> SelectedReports(const ReportSelection& selection) {
  std::vector<Report> reports;
  if (selection.set_mode) reports.push_back({kSetModeTitle, PrintSetModeReport});
  if (selection.memory) reports.push_back({kMemoryTitle, PrintMemoryReport});
  if (selection.search_band) reports.push_back({kSearchBandTitle, PrintSearchBandReport});
  return reports;
}

void PrintSelected(const RadioConfig& record, const ReportSelection& selection,
                   ReportCanvas& canvas) {
  for (const Report& report : SelectedReports(selection)) report.print(record, canvas);
}

}  // namespace kestrel::print
