// kestrel-cli check and program on a file with values the receiver's tables do not hold.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/data_file.h"
#include "model/defaults.h"
#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

TEST(KestrelCliWarnings, CheckAndProgramNameValuesOutsideTheirTables) {
  TempFolder dir;
  RadioConfig record = NewConfiguration();
  record.Channel(12) = {1, "145001000", "", 1};       // FM
  record.Channel(800) = {1, "145000000", "", 1, 13};  // Step 13
  const std::string bad = dir.Path("bad.dat");
  WriteAll(bad, FormatDataFile(record));
  const std::string raster =
      "kestrel-cli: warning: channel 011, Frequency: 145.00100 MHz is on no tuning raster: 5, "
      "6.25 or 8.33 kHz, or 9 kHz for AM broadcast\n";
  const std::string step = "kestrel-cli: warning: channel 799, STEP: 13 is not in the step table\n";

  const ProgramResult checked = Cli({"check", bad});
  EXPECT_EQ(checked.exit_status, 0);
  EXPECT_EQ(checked.out, "version: 1.03\nprogrammed channels: 91\n");
  EXPECT_EQ(checked.err, raster + step);

  // --strict stops before the port is opened: not even the trace file is made.
  const std::string trace = dir.Path("trace.txt");
  const ProgramResult strict = Cli({"program", "--port", "sim", bad, "--strict", "--trace", trace});
  EXPECT_EQ(strict.exit_status, 65);
  EXPECT_EQ(strict.out, "");
  EXPECT_EQ(strict.err,
            step + "kestrel-cli: nothing written: --strict refuses values outside their tables\n");
  EXPECT_FALSE(std::filesystem::exists(trace));

  // Without it the program goes on to the port (here one that is not there).
  const std::string missing = dir.Path("no-such-port");
  const ProgramResult going_on = Cli({"program", "--port", missing, bad});
  EXPECT_EQ(going_on.exit_status, 1);  // the port cannot be opened
  EXPECT_EQ(going_on.err.substr(0, step.size()), step);
}

}  // namespace
}  // namespace kestrel::testing
