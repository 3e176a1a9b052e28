#include <gtest/gtest.h>

#include "files/data_file.h"
#include "model/defaults.h"
#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

// diff: data files and images alike, one line per difference, the exit status as diff gives it.
// What the lines say is the model's.
TEST(KestrelCliDiff, PrintsTheDifferencesAndExitsAsDiffDoes) {
  TempFolder dir;
  RadioConfig a = NewConfiguration();
  a.SetMode[fn::kPause] = 4;
  RadioConfig b = a;
  b.SetMode[fn::kPause] = 1;
  b.Channel(1000) = {1, "145500000", "R\xC4P", 1, 6, 0, 0, 0, 0, -1, 0, 0};
  WriteAll(dir / "a.dat", FormatDataFile(a));
  WriteAll(dir / "b.dat", FormatDataFile(b));
  ASSERT_EQ(Cli({"encode", dir.Path("a.dat"), "-o", dir.Path("a.bin")}).exit_status, 0);

  const ProgramResult same = Cli({"diff", dir.Path("a.dat"), dir.Path("a.bin")});
  EXPECT_EQ(same.exit_status, 0) << same.err;
  EXPECT_EQ(same.out, "");

  const ProgramResult differ = Cli({"diff", dir.Path("a.bin"), dir.Path("b.dat")});
  EXPECT_EQ(differ.exit_status, 1) << differ.err;
  EXPECT_EQ(differ.out,
            "Set Mode PAUSE: 5 sec -> 2 sec\n"
            "999: added 145.50000 MHz FM \"R\u00C4P\"\n");

  const ProgramResult unreadable = Cli({"diff", dir.Path("a.dat"), dir.Path("none.bin")});
  EXPECT_EQ(unreadable.exit_status, 65);
  EXPECT_NE(unreadable.err.find(dir.Path("none.bin")), std::string::npos) << unreadable.err;
  EXPECT_EQ(unreadable.out, "");
  EXPECT_EQ(Cli({"diff", dir.Path("a.dat")}).exit_status, 64);
}

}  // namespace
}  // namespace kestrel::testing
