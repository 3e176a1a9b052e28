// kestrel-cli check and program on a file with values the receiver's tables do not hold.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

// Replaces the first lines of channel `number` in a data file: InUse, Frequency, Name, Mode,
// Step..., twelve lines a channel from line 37.
void SetChannelLines(std::string& text, int number, const std::vector<std::string>& lines) {
  std::size_t start = 0;
  for (int line = 1; line < 37 + 12 * (number - 1); ++line) start = text.find("\r\n", start) + 2;
  for (const std::string& line : lines) {
    const std::size_t end = text.find("\r\n", start);
    text.replace(start, end - start, line);
    start += line.size() + 2;
  }
}

TEST(KestrelCliWarnings, CheckAndProgramNameValuesOutsideTheirTables) {
  TempFolder dir;
  ASSERT_EQ(RunProgram("kestrel-cli", {"new", "-o", dir.Path("a.dat")}).exit_status, 0);
  std::string text = ReadAll(dir.Path("a.dat"));
  SetChannelLines(text, 12, {" 1 ", "145001000", "", " 1 "});           // FM
  SetChannelLines(text, 800, {" 1 ", "145000000", "", " 1 ", " 13 "});  // Step 13
  const std::string bad = dir.Path("bad.dat");
  WriteAll(bad, text);
  const std::string raster =
      "kestrel-cli: warning: channel 011, Frequency: 145.00100 MHz is on no tuning raster: 5, "
      "6.25 or 8.33 kHz, or 9 kHz for AM broadcast\n";
  const std::string step = "kestrel-cli: warning: channel 799, Step: 13 is not in the step table\n";

  const ProgramResult checked = RunProgram("kestrel-cli", {"check", bad});
  EXPECT_EQ(checked.exit_status, 0);
  EXPECT_EQ(checked.out, "version: 1.03\nprogrammed channels: 91\n");
  EXPECT_EQ(checked.err, raster + step);

  // --strict stops before the port is opened: not even the trace file is made.
  const std::string trace = dir.Path("trace.txt");
  const ProgramResult strict =
      RunProgram("kestrel-cli", {"program", "--port", "sim", bad, "--strict", "--trace", trace});
  EXPECT_EQ(strict.exit_status, 65);
  EXPECT_EQ(strict.out, "");
  EXPECT_EQ(strict.err,
            step + "kestrel-cli: nothing written: --strict refuses values outside their tables\n");
  EXPECT_FALSE(std::filesystem::exists(trace));

  // Without it the program goes on to the port (here one that is not there).
  const std::string missing = dir.Path("no-such-port");
  const ProgramResult going_on = RunProgram("kestrel-cli", {"program", "--port", missing, bad});
  EXPECT_EQ(going_on.exit_status, 1);  // the port cannot be opened
  EXPECT_EQ(going_on.err.substr(0, step.size()), step);
}

}  // namespace
}  // namespace kestrel::testing
