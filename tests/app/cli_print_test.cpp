#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/broadcast_presets.h"
#include "model/defaults.h"
#include "model/display_texts.h"
#include "model/frequency_text.h"
#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

// True when every text of `wanted` occurs in `text`, in that order.
bool InOrder(const std::string& text, const std::vector<std::string>& wanted) {
  std::size_t at = 0;
  for (const std::string& item : wanted) {
    if ((at = text.find(item, at)) == std::string::npos) {
      ADD_FAILURE() << "missing or out of order: " << item;
      return false;
    }
    at += item.size();
  }
  return true;
}

// The number and frequency columns of the 89 preset channels, as a report prints them.
std::vector<std::string> PresetChannelTexts() {
  const RadioConfig defaults = NewConfiguration();
  std::vector<std::string> texts;
  for (const auto& preset : BroadcastPreset()) {
    texts.push_back(ChannelNumberText(preset.Channel));
    texts.push_back(HzToMhzText(defaults.Channel(preset.Channel).Frequency));
  }
  return texts;
}

std::vector<std::string> BandLabels() {
  std::vector<std::string> labels;
  for (int b = 0; b < kSearchBandCount; ++b) labels.push_back(SearchBandLabel(b));
  return labels;
}

const std::vector<std::string> kTitles{"Kestrel Set Mode", "Kestrel Memory",
                                       "Kestrel Search Band memory"};

struct CliPrint : ::testing::Test {
  void SetUp() override { ASSERT_EQ(Cli({"new", "-o", file}).exit_status, 0); }
  TempFolder dir;
  std::string file = dir.Path("default.dat");
};

TEST_F(CliPrint, ShowPrintsTheReportsAsText) {
  const ProgramResult set_mode = Cli({"show", file, "--report", "setmode"});
  ASSERT_EQ(set_mode.exit_status, 0) << set_mode.err;
  EXPECT_EQ(std::ranges::count(set_mode.out, '\n'), 22);
  EXPECT_TRUE(
      InOrder(set_mode.out, {"Kestrel Set Mode", "\n   00 STEP          : AUTO", "29 VOLT"}));

  const ProgramResult bands = Cli({"show", file, "--report", "bands"});
  ASSERT_EQ(bands.exit_status, 0) << bands.err;
  EXPECT_EQ(std::ranges::count(bands.out, '\n'), 2 + 24);
  EXPECT_TRUE(InOrder(bands.out, BandLabels()));
  EXPECT_TRUE(bands.out.ends_with("\n          L--       0.10000             1299.99500\n"));

  const ProgramResult all = Cli({"show", file});
  ASSERT_EQ(all.exit_status, 0) << all.err;
  EXPECT_TRUE(InOrder(all.out, kTitles));
  EXPECT_TRUE(InOrder(all.out, PresetChannelTexts()));
  EXPECT_NE(all.out.find("   800 6.03000  VOA      AM   VFO\n"), std::string::npos);
}

TEST_F(CliPrint, PdfHoldsTheChosenReportsOnEitherPaper) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is missing";
  const std::pair<std::string, std::string> prints[]{
      {"--paper", "a4"}, {"--paper", "letter"}, {"--reports", "bands"}};
  for (const auto& [option, value] : prints) {
    const std::string pdf = dir.Path(value + ".pdf");
    const ProgramResult printed = Cli({"print", file, "--pdf", pdf, option, value});
    ASSERT_EQ(printed.exit_status, 0) << printed.err;
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
    const std::string text = ReadAll(pdf + ".txt");
    EXPECT_TRUE(InOrder(text, BandLabels())) << value;
    if (value == "bands") {
      EXPECT_EQ(text.find(kTitles[1]), std::string::npos);
    } else {
      EXPECT_TRUE(InOrder(text, kTitles)) << value;
      EXPECT_TRUE(InOrder(text, PresetChannelTexts())) << value;
    }
  }
}

}  // namespace
}  // namespace kestrel::testing
