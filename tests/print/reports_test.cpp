#include "print/reports.h"

#include <gtest/gtest.h>

#include "model/defaults.h"
#include "recording_canvas.h"

namespace kestrel::print {
namespace {

using testing::PrintedPage;
using testing::RecordingCanvas;
using testing::TextAt;

// "X" is 10 by 20, the page 1000 by 1400: 70 lines, so 54 channel lines a page.
constexpr double kW = 10, kH = 20, kPageW = 1000, kPageH = 1400;
constexpr int kLines = 54;

RecordingCanvas Canvas() {
  return RecordingCanvas(kW, kH, kPageW, kPageH);
}

RadioConfig EmptyRecord() {
  RadioConfig record = NewConfiguration();
  for (int n = 1; n <= kChannelCount; ++n) ClearChannel(record, n);
  return record;
}

void Program(RadioConfig& record, int number) {
  MemoryChannel& channel = record.Channel(number);
  channel.InUse = 1;
  channel.Frequency = "145000000";
  channel.Name = "CH" + std::to_string(number);
  channel.Mode = 1;
}

std::string Expect(const PrintedPage& page, double x, double y) {
  const std::string* text = TextAt(page, x, y);
  return text ? *text : "<nothing>";
}

// Title and the eleven headings, and nothing but them when `only` is set.
void ExpectMemoryHeading(const PrintedPage& page, bool only) {
  EXPECT_EQ(Expect(page, kPageW / 2 - 14 * kW / 2, 3 * kH), "Kestrel Memory");
  EXPECT_EQ(Expect(page, 3 * kW, 6 * kH), "No.");
  EXPECT_EQ(Expect(page, 7 * kW, 6 * kH), "Frequency");
  EXPECT_EQ(Expect(page, 16 * kW, 6 * kH), "NAME");
  EXPECT_EQ(Expect(page, 25 * kW, 6 * kH), "Mode");
  EXPECT_EQ(Expect(page, 29.5 * kW, 6 * kH), "Tone select");
  EXPECT_EQ(Expect(page, 38 * kW, 6 * kH), "TSQ");
  EXPECT_EQ(Expect(page, 42.5 * kW, 6 * kH), "R TSQ");
  EXPECT_EQ(Expect(page, 48 * kW, 6 * kH), "DCS");
  EXPECT_EQ(Expect(page, 52 * kW, 6 * kH), "R DCS");
  EXPECT_EQ(Expect(page, 59.5 * kW, 6 * kH), "V.INV");
  EXPECT_EQ(Expect(page, 64.5 * kW, 6 * kH), "TRAIN");
  if (only) {
    EXPECT_EQ(page.size(), 12u);
  }
}

TEST(SetModeReport, ColumnsAndValues) {
  RadioConfig record = NewConfiguration();
  record.SetMode[fn::kAdjust] = 2;
  record.SetMode[fn::kVolt] = 7;    // no table: the value never prints
  record.SetMode[fn::kLamp] = 3;    // beyond the lamp table
  record.SetMode[fn::kTimer] = -1;  // before it
  RecordingCanvas canvas = Canvas();
  PrintSetModeReport(record, canvas);

  ASSERT_EQ(canvas.documents().size(), 1u);
  const auto& document = canvas.documents()[0];
  EXPECT_EQ(document.font_points_when_measured, 12);
  ASSERT_EQ(document.pages.size(), 1u);
  const PrintedPage& page = document.pages[0];
  EXPECT_EQ(page.size(), 1u + 2 * 35);
  EXPECT_EQ(Expect(page, kPageW / 2 - 16 * kW / 2, 3 * kH), "Kestrel Set Mode");

  // Left column, double spaced from 10h to 50h.
  EXPECT_EQ(Expect(page, 3 * kW, 10 * kH), "00 STEP");
  EXPECT_EQ(Expect(page, 20 * kW, 10 * kH), ": AUTO");
  EXPECT_EQ(Expect(page, 3 * kW, 12 * kH), "01 F STEP");
  EXPECT_EQ(Expect(page, 20 * kW, 12 * kH), ": 1   M");
  EXPECT_EQ(Expect(page, 20 * kW, 14 * kH), ": ");  // LAMP 3
  EXPECT_EQ(Expect(page, 20 * kW, 16 * kH), ": ");  // TIMMER -1
  EXPECT_EQ(Expect(page, 3 * kW, 34 * kH), "12 SCHMEM");
  EXPECT_EQ(Expect(page, 20 * kW, 34 * kH), ": ");
  EXPECT_EQ(Expect(page, 3 * kW, 50 * kH), "20 TSQ");
  EXPECT_EQ(Expect(page, 20 * kW, 50 * kH), ":  88.5");

  // Right column from 10h to 36h, names at W/2 and values 17w further.
  EXPECT_EQ(Expect(page, kPageW / 2, 10 * kH), "21 REVTSQ");
  EXPECT_EQ(Expect(page, kPageW / 2 + 17 * kW, 10 * kH), ":  88.5");
  EXPECT_EQ(Expect(page, kPageW / 2, 12 * kH), "22 TRTONE");
  EXPECT_EQ(Expect(page, kPageW / 2 + 17 * kW, 12 * kH), ": 2280");
  EXPECT_EQ(Expect(page, kPageW / 2, 26 * kH), "29 VOLT");
  EXPECT_EQ(Expect(page, kPageW / 2 + 17 * kW, 26 * kH), ": ");
  EXPECT_EQ(Expect(page, kPageW / 2, 36 * kH), "34 ADJUST");
  EXPECT_EQ(Expect(page, kPageW / 2 + 17 * kW, 36 * kH), ": SM");
}

TEST(MemoryReport, NoProgrammedChannelPrintsOneHeadingPage) {
  RecordingCanvas canvas = Canvas();
  PrintMemoryReport(EmptyRecord(), canvas);
  ASSERT_EQ(canvas.documents().size(), 1u);
  ASSERT_EQ(canvas.documents()[0].pages.size(), 1u);
  ExpectMemoryHeading(canvas.documents()[0].pages[0], true);
}

TEST(MemoryReport, ChannelLineOfThePresetsAndOfEveryColumn) {
  RadioConfig record = NewConfiguration();
  MemoryChannel& dcs = record.Channel(1000);
  dcs = {1, "430012500", "RPT \xC4", 1, 0, 5, 9, 10, 1, 1, 16, 56};
  MemoryChannel& tsq = record.Channel(1);
  tsq = {1, "", "", 2, 0, 1, 1, 50, 104, 1, 0, 1};  // R DCS stays empty for TSQ
  RecordingCanvas canvas = Canvas();
  PrintMemoryReport(record, canvas);
  ASSERT_EQ(canvas.documents().size(), 1u);
  const auto& pages = canvas.documents()[0].pages;
  ASSERT_EQ(pages.size(), 2u);  // 91 lines at 54 a page
  ExpectMemoryHeading(pages[0], false);
  ExpectMemoryHeading(pages[1], false);

  const std::vector<std::string> first{"000",   "",    "", "WFM", "TSQ", " 67.0",
                                       "254.1", "754", "", "",    "300"};
  const std::vector<std::string> voa{"800", "6.03000", "VOA", "AM", "VFO", "", "", "", "", "", ""};
  const std::vector<std::string> last{"999",   "430.01250", "RPT \xC4", "FM",   "DCS", " 88.5",
                                      " 91.5", "023",       "REV",      "3500", "3000"};
  const double xs[] = {3, 7, 16, 25, 29.5, 38, 42.5, 48, 52, 59.5, 64.5};
  for (int c = 0; c < 11; ++c) {
    EXPECT_EQ(Expect(pages[0], xs[c] * kW, 8 * kH), first[c]) << c;
    EXPECT_EQ(Expect(pages[0], xs[c] * kW, 9 * kH), voa[c]) << c;
    EXPECT_EQ(Expect(pages[1], xs[c] * kW, (8 + 90 - kLines) * kH), last[c]) << c;
  }
  EXPECT_EQ(pages[0].size(), 12u + 11 * kLines);
  EXPECT_EQ(pages[1].size(), 12u + 11 * (91 - kLines));
}

TEST(MemoryReport, PositionsOutsideTheTablesPrintEmpty) {
  RadioConfig record = EmptyRecord();
  record.Channel(5) = {1, "abc", "X", 4, 99, 6, 51, -1, 105, 1, 17, 58};
  record.Channel(6) = {1, "1", "Y", -3, 0,  5,
                       0, 0,   0,   -1, -2, 0};  // RevDcs -1 as the editor keeps it
  RecordingCanvas canvas = Canvas();
  PrintMemoryReport(record, canvas);
  const PrintedPage& page = canvas.documents().at(0).pages.at(0);
  const std::vector<std::string> five{"004", "0.00000", "X", "", "", "", "", "", "", "", ""};
  const std::vector<std::string> six{"005", "0.00000", "Y", "", "DCS", "", "", "", "", "", ""};
  const double xs[] = {3, 7, 16, 25, 29.5, 38, 42.5, 48, 52, 59.5, 64.5};
  for (int c = 0; c < 11; ++c) {
    EXPECT_EQ(Expect(page, xs[c] * kW, 8 * kH), five[c]) << c;
    EXPECT_EQ(Expect(page, xs[c] * kW, 9 * kH), six[c]) << c;
  }
}

TEST(MemoryReport, PageBreaksAfterLLines) {
  // L + 1 programmed channels: the last one starts page 2 at 8h under a new heading.
  RadioConfig record = EmptyRecord();
  for (int n = 100; n < 100 + kLines + 1; ++n) Program(record, n);
  record.Channel(50).InUse = 0;  // empty channels in between leave no gap
  record.Channel(50).Name = "GONE";
  RecordingCanvas canvas = Canvas();
  PrintMemoryReport(record, canvas);
  const auto& pages = canvas.documents().at(0).pages;
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Expect(pages[0], 3 * kW, 8 * kH), "099");
  EXPECT_EQ(Expect(pages[0], 3 * kW, (8 + kLines - 1) * kH), "152");
  ExpectMemoryHeading(pages[1], false);
  EXPECT_EQ(Expect(pages[1], 3 * kW, 8 * kH), "153");
  EXPECT_EQ(Expect(pages[1], 16 * kW, 8 * kH), "CH154");
  EXPECT_EQ(pages[1].size(), 12u + 11);
}

TEST(MemoryReport, FullPageFollowedOnlyByEmptyChannelsEndsWithAHeadingPage) {
  RadioConfig record = EmptyRecord();
  for (int n = 1; n <= kLines; ++n) Program(record, n);
  RecordingCanvas canvas = Canvas();
  PrintMemoryReport(record, canvas);
  auto pages = canvas.documents().at(0).pages;
  ASSERT_EQ(pages.size(), 2u);
  ExpectMemoryHeading(pages[1], true);

  // Filled by channel 1000 itself: the new page gets no text and is never printed.
  record = EmptyRecord();
  for (int n = kChannelCount - kLines + 1; n <= kChannelCount; ++n) Program(record, n);
  RecordingCanvas exact = Canvas();
  PrintMemoryReport(record, exact);
  pages = exact.documents().at(0).pages;
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Expect(pages[0], 3 * kW, (8 + kLines - 1) * kH), "999");

  // Every channel programmed: 1000 lines over 19 pages, the last one full without a heading page.
  record = EmptyRecord();
  for (int n = 1; n <= kChannelCount; ++n) Program(record, n);
  RecordingCanvas all = Canvas();
  PrintMemoryReport(record, all);
  pages = all.documents().at(0).pages;
  ASSERT_EQ(pages.size(), 19u);
  EXPECT_EQ(Expect(pages[18], 3 * kW, (8 + 1000 - 18 * kLines - 1) * kH), "999");
}

TEST(MemoryReport, LinesUseWholeUnitsAndTheLineCountIsNeverBelowOne) {
  EXPECT_EQ(MemoryLinesPerPage(1400, 20), 54);
  EXPECT_EQ(MemoryLinesPerPage(1399.6, 19.5), 54);  // 1400 div 20
  EXPECT_EQ(MemoryLinesPerPage(14031, 139), 84);
  EXPECT_EQ(MemoryLinesPerPage(300, 20), 1);  // smaller than the heading and margin
  EXPECT_EQ(MemoryLinesPerPage(300, 0), 1);   // a font that measures nothing
  EXPECT_EQ(MemoryLinesPerPage(1e9, 1), kChannelCount);

  RadioConfig record = EmptyRecord();
  Program(record, 1);
  Program(record, 2);
  RecordingCanvas canvas(10.4, 20.6, 1000, 1400);
  PrintMemoryReport(record, canvas);
  const auto& pages = canvas.documents().at(0).pages;
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Expect(pages[0], 3 * 10.4, 6 * 20.6), "No.");  // heading at the measured units
  EXPECT_EQ(Expect(pages[0], 3 * 10, 8 * 21), "000");      // lines at whole units
  EXPECT_EQ(Expect(pages[0], 64.5 * 10, 9 * 21), "");

  RecordingCanvas tiny(10, 20, 1000, 300);
  PrintMemoryReport(record, tiny);
  ASSERT_EQ(tiny.documents().at(0).pages.size(), 3u);  // a line a page, then the heading page
}

TEST(SearchBandReport, LabelsAndLimitsAsStored) {
  RadioConfig record = NewConfiguration();
  record.Band(3).LowFrequency = "118.00000";
  record.Band(3).UpperFrequency = "";
  record.Band(22).LowFrequency = "1.2x";
  RecordingCanvas canvas(10, 20.5, 1000, 1400);
  PrintSearchBandReport(record, canvas);
  ASSERT_EQ(canvas.documents().size(), 1u);
  const auto& pages = canvas.documents()[0].pages;
  ASSERT_EQ(pages.size(), 1u);
  const PrintedPage& page = pages[0];
  EXPECT_EQ(page.size(), 3u + 3 * 24);
  EXPECT_EQ(Expect(page, 500 - 26 * 10 / 2, 3 * 20.5), "Kestrel Search Band memory");
  EXPECT_EQ(Expect(page, 200, 6 * 20.5), "Low Frequency");
  EXPECT_EQ(Expect(page, 400, 6 * 20.5), "Upper Frequency");
  EXPECT_EQ(Expect(page, 100, 164), "L00");  // 8h = 164
  EXPECT_EQ(Expect(page, 200, 164), "0.10000");
  EXPECT_EQ(Expect(page, 400, 164), "1299.99500");
  EXPECT_EQ(Expect(page, 100, 205), "L01");  // 10h = 205
  EXPECT_EQ(Expect(page, 100, 287), "L03");  // 14h = 287
  EXPECT_EQ(Expect(page, 200, 287), "118.00000");
  EXPECT_EQ(Expect(page, 400, 287), "");
  EXPECT_EQ(Expect(page, 100, 1066), "L22");  // 52h = 1066
  EXPECT_EQ(Expect(page, 200, 1066), "1.2x");
  EXPECT_EQ(Expect(page, 100, 1107), "L--");  // 54h = 1107
  EXPECT_EQ(SearchBandLabel(0), "L00");
  EXPECT_EQ(SearchBandLabel(9), "L09");
  EXPECT_EQ(SearchBandLabel(23), "L--");
}

TEST(PrintSelected, ReportsInTheFixedOrderAsSeparateDocuments) {
  const RadioConfig record = NewConfiguration();
  RecordingCanvas canvas = Canvas();
  PrintSelected(record, {true, false, true}, canvas);
  ASSERT_EQ(canvas.documents().size(), 2u);
  EXPECT_EQ(canvas.documents()[0].pages.at(0).at(0).text, kSetModeTitle);
  EXPECT_EQ(canvas.documents()[1].pages.at(0).at(0).text, kSearchBandTitle);

  RecordingCanvas all = Canvas();
  PrintSelected(record, kAllReports, all);
  ASSERT_EQ(all.documents().size(), 3u);
  EXPECT_EQ(all.documents()[1].pages.at(0).at(0).text, kMemoryTitle);
  EXPECT_FALSE(all.HasOpenDocument());

  RecordingCanvas none = Canvas();
  PrintSelected(record, {}, none);
  EXPECT_TRUE(none.documents().empty());
}

}  // namespace
}  // namespace kestrel::print
