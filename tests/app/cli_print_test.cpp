#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
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

// True when every text of `wanted` occurs in `text`, in that order.
bool InOrder(const std::string& text, const std::vector<std::string>& wanted) {
  std::size_t at = 0;
  for (const std::string& item : wanted) {
    at = text.find(item, at);
    if (at == std::string::npos) {
      ADD_FAILURE() << "missing or out of order: " << item;
      return false;
    }
    at += item.size();
  }
  return true;
}

std::vector<std::string> BandLabels() {
  std::vector<std::string> labels;
  for (int i = 0; i < 23; ++i) labels.push_back((i < 10 ? "L0" : "L") + std::to_string(i));
  labels.push_back("L--");
  return labels;
}

class CliPrint : public ::testing::Test {
 protected:
  void SetUp() override {
    const ProgramResult made = RunProgram("kestrel-cli", {"new", "-o", file_});
    ASSERT_EQ(made.exit_status, 0) << made.err;
  }
  TempDir dir_;
  std::string file_ = dir_.Path("default.dat");
};

TEST_F(CliPrint, ShowPrintsTheReportsAsText) {
  const ProgramResult set_mode = RunProgram("kestrel-cli", {"show", file_, "--report", "setmode"});
  ASSERT_EQ(set_mode.exit_status, 0) << set_mode.err;
  const auto lines = Lines(set_mode.out);
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_NE(lines[0].find("Kestrel Set Mode"), std::string::npos);
  EXPECT_EQ(lines[1].substr(0, 26), "   00 STEP          : AUTO");
  EXPECT_NE(lines[9].find("29 VOLT"), std::string::npos);

  const ProgramResult bands = RunProgram("kestrel-cli", {"show", file_, "--report", "bands"});
  ASSERT_EQ(bands.exit_status, 0) << bands.err;
  EXPECT_EQ(Lines(bands.out).size(), 2u + 24);
  EXPECT_TRUE(InOrder(bands.out, BandLabels()));
  EXPECT_EQ(Lines(bands.out)[25], "          L--       0.10000             1299.99500");

  const ProgramResult all = RunProgram("kestrel-cli", {"show", file_});
  ASSERT_EQ(all.exit_status, 0) << all.err;
  EXPECT_TRUE(
      InOrder(all.out, {"Kestrel Set Mode", "Kestrel Memory", "Kestrel Search Band memory"}));
  EXPECT_TRUE(InOrder(all.out, PresetChannelTexts()));
  EXPECT_NE(all.out.find("   800 6.03000  VOA      AM   VFO\n"), std::string::npos);
}

TEST_F(CliPrint, ShowAndPrintRefuseBadArgumentsAndFiles) {
  EXPECT_EQ(RunProgram("kestrel-cli", {"show"}).exit_status, 64);
  const ProgramResult bad = RunProgram("kestrel-cli", {"show", file_, "--report", "factory"});
  EXPECT_EQ(bad.exit_status, 64);
  EXPECT_NE(bad.err.find("factory"), std::string::npos);
  const ProgramResult missing = RunProgram("kestrel-cli", {"show", dir_.Path("none.dat")});
  EXPECT_EQ(missing.exit_status, 65);
  EXPECT_NE(missing.err.find("none.dat"), std::string::npos);

  EXPECT_EQ(RunProgram("kestrel-cli", {"print", file_}).exit_status, 64);  // no --pdf
  EXPECT_EQ(RunProgram("kestrel-cli",
                       {"print", file_, "--pdf", dir_.Path("o.pdf"), "--reports", "setmode,"})
                .exit_status,
            64);
  EXPECT_EQ(
      RunProgram("kestrel-cli", {"print", file_, "--pdf", dir_.Path("o.pdf"), "--paper", "a3"})
          .exit_status,
      64);
  const ProgramResult unwritable =
      RunProgram("kestrel-cli", {"print", file_, "--pdf", dir_.Path("no/dir/o.pdf")});
  EXPECT_EQ(unwritable.exit_status, 65);
  EXPECT_NE(unwritable.err.find("no/dir/o.pdf"), std::string::npos);
}

TEST_F(CliPrint, PdfHoldsTheTitlesThePresetsAndTheBands) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is missing";
  for (const std::string paper : {"a4", "letter"}) {
    const std::string pdf = dir_.Path(paper + ".pdf");
    const ProgramResult printed =
        RunProgram("kestrel-cli", {"print", file_, "--pdf", pdf, "--paper", paper});
    ASSERT_EQ(printed.exit_status, 0) << printed.err;
    const std::string text_file = dir_.Path(paper + ".txt");
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + text_file + "'").c_str()), 0);
    std::ifstream in(text_file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(InOrder(text, {"Kestrel Set Mode", "Kestrel Memory", "Kestrel Search Band memory"}))
        << paper;
    EXPECT_TRUE(InOrder(text, PresetChannelTexts())) << paper;
    EXPECT_TRUE(InOrder(text, BandLabels())) << paper;
  }

  const std::string bands_only = dir_.Path("bands.pdf");
  ASSERT_EQ(RunProgram("kestrel-cli", {"print", file_, "--pdf", bands_only, "--reports", "bands"})
                .exit_status,
            0);
  ASSERT_EQ(std::system(("pdftotext '" + bands_only + "' '" + bands_only + ".txt'").c_str()), 0);
  std::ifstream in(bands_only + ".txt");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Kestrel Search Band memory"), std::string::npos);
  EXPECT_EQ(text.find("Kestrel Memory"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::testing
