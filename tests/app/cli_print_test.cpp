// kestrel-cli show and print: the reports of the data file given, as text and as a PDF. The
// reports' layout is the print layer's; here the file, the options and the output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "model/defaults.h"
#include "print/reports.h"
#include "print/text_canvas.h"
#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

using print::ReportSelection;

// The default configuration with channel 5 renamed, so that a report of the defaults shows.
RadioConfig Edited() {
  RadioConfig record = NewConfiguration();
  record.Channel(5) = {1, "145012500", "CLITST", 1, 3};
  return record;
}

struct CliPrint : ::testing::Test {
  void SetUp() override { WriteAll(file, FormatDataFile(Edited())); }
  TempFolder dir;
  std::string file = dir.Path("edited.dat");
};

TEST_F(CliPrint, ShowPrintsTheChosenReportsOfTheFileAsText) {
  const std::pair<std::vector<std::string>, ReportSelection> rows[] = {
      {{"show", file}, print::kAllReports},
      {{"show", file, "--report", "setmode"}, {.set_mode = true}},
      {{"show", file, "--report", "bands"}, {.search_band = true}}};
  for (const auto& [args, selection] : rows) {
    print::TextCanvas canvas;
    print::PrintSelected(Edited(), selection, canvas);
    const ProgramResult shown = Cli(args);
    EXPECT_EQ(shown.exit_status, 0) << shown.err;
    EXPECT_EQ(shown.out, canvas.Text()) << args.back();
  }
}

TEST_F(CliPrint, PdfHoldsTheChosenReportsOnTheChosenPaper) {
  if (std::system("pdftotext -v >/dev/null 2>&1 && pdfinfo -v >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "pdftotext or pdfinfo is missing";
  }
  // The options, the paper pdfinfo names, and whether the Set Mode and memory reports (with
  // channel 5) are there besides the search band report.
  const std::tuple<std::vector<std::string>, std::string, bool> rows[] = {
      {{}, "(A4)", true},
      {{"--paper", "letter"}, "(letter)", true},
      {{"--reports", "bands"}, "(A4)", false}};
  for (const auto& [options, paper, all] : rows) {
    const std::string pdf = dir.Path("out.pdf");
    std::vector<std::string> args{"print", file, "--pdf", pdf};
    args.insert(args.end(), options.begin(), options.end());
    const ProgramResult printed = Cli(args);
    ASSERT_EQ(printed.exit_status, 0) << printed.err;
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt' && pdfinfo '" + pdf +
                           "' >'" + pdf + ".info'")
                              .c_str()),
              0);
    const std::string text = ReadAll(pdf + ".txt");
    EXPECT_NE(ReadAll(pdf + ".info").find(paper), std::string::npos) << paper;
    EXPECT_NE(text.find(print::kSearchBandTitle), std::string::npos) << paper;
    EXPECT_EQ(text.find(print::kSetModeTitle) != std::string::npos, all) << paper;
    EXPECT_EQ(text.find(print::kMemoryTitle) != std::string::npos, all) << paper;
    EXPECT_EQ(text.find("CLITST") != std::string::npos, all) << paper;
  }
}

}  // namespace
}  // namespace kestrel::testing
