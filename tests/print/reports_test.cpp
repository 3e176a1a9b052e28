#include "print/reports.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "model/defaults.h"
#include "print/report_names.h"
#include "recording_canvas.h"

namespace kestrel::print {
namespace {

using testing::PrintedPage;
using Rows = std::vector<std::pair<double, std::string>>;  // a height and what is printed there

// With "X" 10 by 20 and a page 1000 by 1400 (70 lines), a memory page holds 54 channel lines.
constexpr int kLines = 54;
const std::string kHeadingRow =
    "30:No.|70:Frequency|160:NAME|250:Mode|295:Tone select|380:TSQ|425:R TSQ|480:DCS|520:R "
    "DCS|595:V.INV|645:TRAIN";

// The items printed at height y of `page`, as "x:text" in the order printed, joined by "|".
std::string Row(const PrintedPage& page, double y) {
  std::string row;
  for (const auto& item : page) {
    if (item.y != y) continue;
    char x[32];
    std::snprintf(x, sizeof x, "%s%g:", row.empty() ? "" : "|", item.x);
    row += x + item.text;
  }
  return row;
}

void ExpectRows(const PrintedPage& page, const Rows& rows) {
  for (const auto& [y, row] : rows) EXPECT_EQ(Row(page, y), row) << "at " << y;
}

// The pages of the one document a report makes.
std::vector<PrintedPage> Pages(void (*report)(const RadioConfig&, ReportCanvas&),
                               const RadioConfig& record, double w = 10, double h = 20,
                               double page_height = 1400) {
  testing::RecordingCanvas canvas(w, h, 1000, page_height);
  report(record, canvas);
  EXPECT_EQ(canvas.documents().size(), 1u);
  return canvas.documents().at(0);
}

// A record whose only programmed channels are `first` to `last`.
RadioConfig Programmed(int first, int last) {
  RadioConfig record = NewConfiguration();
  for (int n = 1; n <= kChannelCount; ++n) ClearChannel(record, n);
  for (int n = first; n <= last; ++n) {
    record.Channel(n) = {1, "145000000", "CH" + std::to_string(n), 1, 0, 0, 0, 0, 0, 0, 0, 0};
  }
  return record;
}

TEST(SetModeReport, TwoColumnsOfNamesAndStoredValues) {
  RadioConfig record = NewConfiguration();
  record.SetMode[fn::kAdjust] = 2;
  record.SetMode[fn::kVolt] = 7;    // no table: the value never prints
  record.SetMode[fn::kLamp] = 3;    // beyond the lamp table
  record.SetMode[fn::kTimer] = -1;  // before it
  const auto pages = Pages(PrintSetModeReport, record);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].size(), 1u + 2 * 35);
  // Left names at 3w, values at 20w, from 10h double spaced; right ones at W/2 and W/2 + 17w.
  ExpectRows(pages[0], {{60, "420:Kestrel Set Mode"},
                        {200, "30:00 STEP|200:: AUTO|500:21 REVTSQ|670::  88.5"},
                        {280, "30:02 LAMP|200:: |500:23 SCRMBL|670:: 3300"},
                        {320, "30:03 TIMMER|200:: |500:24 CHWS|670:: OFF"},
                        {520, "30:08 SERCH|200:: VFO|500:29 VOLT|670:: "},
                        {720, "30:13 BANKCL|200:: |500:34 ADJUST|670:: SM"},
                        {1000, "30:20 TSQ|200::  88.5"}});
}

TEST(MemoryReport, ChannelLinesShowEveryColumnAndNothingBeyondTheTables) {
  RadioConfig record = NewConfiguration();                        // 89 presets from channel 801
  record.Channel(1) = {1, "", "", 2, 0, 1, 1, 50, 104, 1, 0, 1};  // R DCS stays empty for TSQ
  record.Channel(5) = {1, "abc", "X", 4, 99, 6, 51, -1, 105, 1, 17, 58};  // all beyond the tables
  record.Channel(6) = {1, "1", "Y", -3, 0, 5, 0, 0, 0, -1, -2, 0};        // RevDcs -1 as edited
  record.Channel(7).Name = "GONE";                                        // not in use
  record.Channel(1000) = {1, "430012500", "RPT \xC4", 1, 0, 5, 9, 10, 1, 1, 16, 56};
  const auto pages = Pages(PrintMemoryReport, record);
  ASSERT_EQ(pages.size(), 2u);  // 93 lines at 54 a page
  EXPECT_EQ(pages[0].size(), 12u + 11 * kLines);
  EXPECT_EQ(pages[1].size(), 12u + 11 * (93 - kLines));
  ExpectRows(
      pages[0],
      {{60, "430:Kestrel Memory"},
       {120, kHeadingRow},
       {160, "30:000|70:|160:|250:WFM|295:TSQ|380: 67.0|425:254.1|480:754|520:|595:|645:300"},
       {180, "30:004|70:0.00000|160:X|250:|295:|380:|425:|480:|520:|595:|645:"},
       {200, "30:005|70:0.00000|160:Y|250:|295:DCS|380:|425:|480:|520:|595:|645:"},
       {220, "30:800|70:6.03000|160:VOA|250:AM|295:VFO|380:|425:|480:|520:|595:|645:"}});
  ExpectRows(pages[1], {{20 * (8 + 92 - kLines),
                         "30:999|70:430.01250|160:RPT \xC4|250:FM|295:DCS|380: 88.5|425: 91.5|480:"
                         "023|520:REV|595:3500|645:3000"}});
}

TEST(MemoryReport, PagesBreakAfterFullPagesWithoutABlankSheet) {
  // An empty page after the last line still gets its heading, unless channel 1000 ended the page;
  // a page too small for the heading still takes one line.
  const int cases[][5] = {
      // first and last channel programmed, page height, pages, lines on the last page
      {1, 0, 1400, 1, 0},      {1, kLines, 1400, 2, 0},
      {100, 154, 1400, 2, 1},  {kChannelCount - kLines + 1, kChannelCount, 1400, 1, kLines},
      {1, 1000, 1400, 19, 28}, {1, 2, 300, 3, 0}};
  for (const auto& [first, last, page_height, count, lines] : cases) {
    const auto pages = Pages(PrintMemoryReport, Programmed(first, last), 10, 20, page_height);
    SCOPED_TRACE(::testing::Message() << first << " to " << last << " on " << page_height);
    ASSERT_EQ(pages.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(pages.back().size(), static_cast<std::size_t>(12 + 11 * lines));
    EXPECT_EQ(Row(pages.back(), 120), kHeadingRow);
    if (lines > 0) {  // the last line of the page
      const std::string number = std::to_string(1000 + last - 1).substr(1);
      EXPECT_EQ(Row(pages.back(), 20 * (7 + lines)).substr(0, 6), "30:" + number);
    }
  }

  // Channel lines sit on whole units (10 by 21 here); the heading on the measured ones.
  const auto pages = Pages(PrintMemoryReport, Programmed(1, 2), 10.4, 20.6);
  EXPECT_EQ(Row(pages.at(0), 6 * 20.6).substr(0, 24), "31.2:No.|72.8:Frequency|");
  EXPECT_EQ(Row(pages.at(0), 8 * 21).substr(0, 22), "30:000|70:145.00000|16");
  EXPECT_EQ(Row(pages.at(0), 9 * 21).substr(0, 6), "30:001");
}

TEST(MemoryReport, LinesPerPageUseWholeUnitsAndAreNeverBelowOne) {
  // 1399.6 by 19.5 is 1400 div 20; 300 is smaller than the heading and the margin; a font may
  // measure nothing.
  const double cases[][3] = {
      {1400, 20, 54}, {1399.6, 19.5, 54}, {14031, 139, 84}, {300, 0, 1}, {1e9, 1, kChannelCount}};
  for (const auto& [page_height, line_height, lines] : cases) {
    EXPECT_EQ(MemoryLinesPerPage(page_height, line_height), lines) << page_height;
  }
}

TEST(SearchBandReport, LabelsAndLimitsAsStoredOnWholeUnits) {
  RadioConfig record = NewConfiguration();
  record.Band(3).LowFrequency = "118.00000";
  record.Band(3).UpperFrequency = "";
  record.Band(22).LowFrequency = "1.2x";
  const auto pages = Pages(PrintSearchBandReport, record, 10, 20.3);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].size(), 3u + 3 * 24);
  ExpectRows(pages[0], {{3 * 20.3, "370:Kestrel Search Band memory"},
                        {6 * 20.3, "200:Low Frequency|400:Upper Frequency"},
                        {162, "100:L00|200:0.10000|400:1299.99500"},  // 8h = 162.4
                        {284, "100:L03|200:118.00000|400:"},          // 14h = 284.2
                        {1056, "100:L22|200:1.2x|400:1299.99500"},    // 52h = 1055.6
                        {1096, "100:L--|200:0.10000|400:1299.99500"}});
}

TEST(PrintSelected, NamedReportsPrintInTheFixedOrderAsSeparateDocuments) {
  const std::pair<const char*, std::vector<std::string_view>> cases[] = {
      {"setmode", {kSetModeTitle}},
      {"bands,setmode", {kSetModeTitle, kSearchBandTitle}},
      {"memory,bands,memory,setmode", {kSetModeTitle, kMemoryTitle, kSearchBandTitle}}};
  for (const auto& [names, titles] : cases) {
    const auto selection = ParseReportNames(names);
    ASSERT_TRUE(selection) << names;
    testing::RecordingCanvas canvas(10, 20, 1000, 1400);
    PrintSelected(NewConfiguration(), *selection, canvas);
    std::vector<std::string_view> printed;
    for (const auto& document : canvas.documents()) printed.push_back(document[0][0].text);
    EXPECT_EQ(printed, titles) << names;
  }
  EXPECT_TRUE(SelectedReports({}).empty());
  for (const char* wrong : {"", "memory,", ",bands", "Memory", "setmode,factory", "memory "}) {
    EXPECT_FALSE(ParseReportNames(wrong)) << wrong;
  }
}

}  // namespace
}  // namespace kestrel::print
