#include "print/report_names.h"

#include <gtest/gtest.h>

namespace kestrel::print {
namespace {

TEST(ParseReportNames, ListsInAnyOrderAndRefusesUnknownNames) {
  EXPECT_EQ(ParseReportNames("setmode"), (ReportSelection{true, false, false}));
  EXPECT_EQ(ParseReportNames("bands,setmode"), (ReportSelection{true, false, true}));
  EXPECT_EQ(ParseReportNames("setmode,memory,bands"), kAllReports);
  EXPECT_EQ(ParseReportNames("memory,memory"), (ReportSelection{false, true, false}));
  EXPECT_FALSE(ParseReportNames(""));
  EXPECT_FALSE(ParseReportNames("memory,"));
  EXPECT_FALSE(ParseReportNames("Memory"));
  EXPECT_FALSE(ParseReportNames("setmode,factory"));
}

}  // namespace
}  // namespace kestrel::print
