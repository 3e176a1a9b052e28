#include <gtest/gtest.h>

#include <filesystem>

#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

// The exit statuses scripts rely on: 0 done, 64 a usage mistake, 65 a file that cannot be read
// or written. Help goes to stdout only; every mistake to stderr only.
TEST(KestrelCli, ExitStatusesAndTheirMessages) {
  TempFolder dir;
  const std::string good = dir.Path("a.dat"), none = dir.Path("none.dat"), x = dir.Path("x");
  ASSERT_EQ(Cli({"new", "-o", good}).exit_status, 0);
  // The arguments, the exit status, and a text in stdout for status 0, else in stderr.
  const std::tuple<std::vector<std::string>, int, std::string> rows[]{
      {{"--help"}, 0, "\n  check FILE.dat\n  encode FILE.dat -o IMAGE.bin [--base IMAGE.bin]\n"},
      {{"help"}, 0, "usage: kestrel-cli COMMAND [ARGS]"},
      {{"new", "--help"}, 0, "usage: kestrel-cli new -o FILE.dat"},
      {{"check", "-h"}, 0, "usage: kestrel-cli check FILE.dat"},
      {{"decode", "--help"}, 0, "usage: kestrel-cli decode IMAGE.bin -o FILE.dat"},
      {{"print", "--help"}, 0, "usage: kestrel-cli print FILE.dat --pdf OUT.pdf"},
      {{}, 64, "usage: kestrel-cli COMMAND"},
      {{"frobnicate"}, 64, "kestrel-cli: unknown command 'frobnicate'\nusage: kestrel-cli"},
      {{"new"}, 64, "usage: kestrel-cli new"},
      {{"new", "-o"}, 64, "kestrel-cli: -o needs a value\nusage: kestrel-cli new"},
      {{"new", "-o", x, "extra"}, 64, "usage: kestrel-cli new"},
      {{"new", "--frob", "-o", x}, 64, "unknown option --frob\nusage: kestrel-cli new"},
      {{"check"}, 64, "usage: kestrel-cli check"},
      {{"check", good, good}, 64, "usage: kestrel-cli check"},
      {{"check", "-x", good}, 64, "usage: kestrel-cli check"},
      {{"encode", good}, 64, "usage: kestrel-cli encode"},
      {{"decode", "-o", x}, 64, "usage: kestrel-cli decode"},
      {{"show"}, 64, "kestrel-cli show: give one data file\nusage: kestrel-cli show"},
      {{"show", good, "--report", "factory"}, 64, "unknown report 'factory'"},
      {{"print", good}, 64, "give one data file and --pdf OUT.pdf\nusage: kestrel-cli print"},
      {{"print", good, "--pdf", x, "--reports", "setmode,"}, 64, "bad --reports 'setmode,'"},
      {{"print", good, "--pdf", x, "--paper", "a3"}, 64, "--paper is a4 or letter"},
      {{"check", none}, 65, "kestrel-cli: " + none + ": cannot be read: "},
      {{"show", none}, 65, "kestrel-cli show: " + none},
      {{"encode", none, "-o", x}, 65, "kestrel-cli: " + none},
      {{"decode", none, "-o", x}, 65, "kestrel-cli: " + none},
      {{"print", none, "--pdf", x}, 65, "kestrel-cli print: " + none},
      {{"new", "-o", dir.Path("no/such.dat")}, 65, "no/such.dat: cannot be written: "},
      {{"print", good, "--pdf", "/dev/full"}, 65, "cannot be written: No space left on device\n"}};
  for (const auto& [args, status, text] : rows) {
    const std::string label = ::testing::PrintToString(args);
    const ProgramResult result = Cli(args);
    EXPECT_EQ(result.exit_status, status) << label << "\n" << result.err;
    const std::string& shown = status == 0 ? result.out : result.err;
    EXPECT_NE(shown.find(text), std::string::npos) << label << "\n" << shown;
    EXPECT_EQ(status == 0 ? result.err : result.out, "") << label;  // the other stream
  }
  EXPECT_FALSE(std::filesystem::exists(x));
}

}  // namespace
}  // namespace kestrel::testing
