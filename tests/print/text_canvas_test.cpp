#include "print/text_canvas.h"

#include <gtest/gtest.h>

namespace kestrel::print {
namespace {

TEST(TextCanvas, LinesTopToBottomWithAFormFeedBeforeEveryLaterPage) {
  TextCanvas canvas;
  canvas.PrintText(8, 2, "NAME");  // runs into the item left of it: a blank apart
  canvas.PrintText(3, 2, "Frequency");
  canvas.PrintText(2.6, 1, "\xC4RZTE");  // Windows-1252, at the nearest column
  canvas.PrintText(-4, 5, "left");
  canvas.PrintText(10, 5, "");  // nothing
  canvas.NewPage();
  canvas.NewPage();  // a page without text is not printed
  canvas.PrintText(0, 1, "next");
  canvas.EndDocument();
  canvas.PrintText(1, 1, "report");
  EXPECT_EQ(canvas.Text(), "   \xC3\x84RZTE\n   Frequency NAME\nleft\n\fnext\n\f report\n");
}

}  // namespace
}  // namespace kestrel::print
