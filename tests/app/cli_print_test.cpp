#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "model/broadcast_presets.h"
#include "model/defaults.h"
#include "model/frequency_text.h"
#include "run_program.h"

namespace kestrel::testing {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

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
    char number[8];
    std::snprintf(number, sizeof number, "%03d", preset.Channel - 1);
    texts.push_back(number);
    texts.push_back(HzToMhzText(defaults.Channel(preset.Channel).Frequency));
  }
  return texts;
}

std::vector<std::string> BandLabels() {
  std::vector<std::string> labels;
  for (int i = 0; i < 23; ++i) labels.push_back((i < 10 ? "L0" : "L") + std::to_string(i));
  labels.push_back("L--");
  return labels;
}

const std::vector<std::string> kTitles{"Kestrel Set Mode", "Kestrel Memory",
                                       "Kestrel Search Band memory"};

struct CliPrint : ::testing::Test {
  void SetUp() override {
    ASSERT_EQ(RunProgram("kestrel-cli", {"new", "-o", file}).exit_status, 0);
  }
  TempDir dir;
  std::string file = dir.Path("default.dat");
};

TEST_F(CliPrint, ShowPrintsTheReportsAsText) {
  const ProgramResult set_mode = RunProgram("kestrel-cli", {"show", file, "--report", "setmode"});
  ASSERT_EQ(set_mode.exit_status, 0) << set_mode.err;
  const auto lines = Lines(set_mode.out);
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_NE(lines[0].find("Kestrel Set Mode"), std::string::npos);
  EXPECT_EQ(lines[1].substr(0, 26), "   00 STEP          : AUTO");
  EXPECT_NE(lines[9].find("29 VOLT"), std::string::npos);

  const ProgramResult bands = RunProgram("kestrel-cli", {"show", file, "--report", "bands"});
  ASSERT_EQ(bands.exit_status, 0) << bands.err;
  ASSERT_EQ(Lines(bands.out).size(), 2u + 24);
  EXPECT_TRUE(InOrder(bands.out, BandLabels()));
  EXPECT_EQ(Lines(bands.out)[25], "          L--       0.10000             1299.99500");

  const ProgramResult all = RunProgram("kestrel-cli", {"show", file});
  ASSERT_EQ(all.exit_status, 0) << all.err;
  EXPECT_TRUE(InOrder(all.out, kTitles));
  EXPECT_TRUE(InOrder(all.out, PresetChannelTexts()));
  EXPECT_NE(all.out.find("   800 6.03000  VOA      AM   VFO\n"), std::string::npos);
}

TEST_F(CliPrint, PdfHoldsTheChosenReportsOnEitherPaper) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is missing";
  const struct {
    std::string option, value;
  } prints[]{{"--paper", "a4"}, {"--paper", "letter"}, {"--reports", "bands"}};
  for (const auto& [option, value] : prints) {
    const std::string pdf = dir.Path(value + ".pdf");
    const ProgramResult printed =
        RunProgram("kestrel-cli", {"print", file, "--pdf", pdf, option, value});
    ASSERT_EQ(printed.exit_status, 0) << printed.err;
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
    const std::string text = ReadBytes(pdf + ".txt");
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
