#include "print/text_canvas.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "model/defaults.h"
#include "print/reports.h"

namespace kestrel::print {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(TextCanvas, PagesColumnsAndNames) {
  RadioConfig record = NewConfiguration();
  record.Channel(1) = {1, "6030000", "\xC4RZTE", 3, 1, 0, 0, 0, 0, 0, 0, 0};
  TextCanvas canvas(80, 20);  // 4 lines a page
  PrintMemoryReport(record, canvas);
  const std::string text = canvas.Text();
  const auto lines = Lines(text);
  EXPECT_EQ(lines[0], std::string(33, ' ') + "Kestrel Memory");
  EXPECT_EQ(lines[1], "   No. Frequency NAME    Mode Tone select TSQ R TSQ DCS R DCS V.INV TRAIN");
  EXPECT_EQ(lines[2], "   000 6.03000  \xC3\x84RZTE    AM   VFO");  // UTF-8 of the name
  EXPECT_EQ(lines[3], "   800 6.03000  VOA      AM   VFO");
  EXPECT_EQ(lines[6], "\f" + std::string(33, ' ') + "Kestrel Memory");
  // 90 lines at 4 a page: 23 pages, the last with 2 lines.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 22);
  EXPECT_EQ(lines.size(), 23u * 2 + 90);
}

TEST(TextCanvas, ItemsThatRunIntoEachOtherStayApart) {
  TextCanvas canvas;
  canvas.PrintText(3, 1, "Frequency");
  canvas.PrintText(8, 1, "NAME");
  canvas.PrintText(-4, 2, "left");
  canvas.PrintText(10, 2, "");
  EXPECT_EQ(canvas.Text(), "   Frequency NAME\nleft\n");
}

}  // namespace
}  // namespace kestrel::print
