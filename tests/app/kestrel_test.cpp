#include <gtest/gtest.h>

#include "support/processes.h"
#include "support/temp_files.h"
#include "version.h"

namespace kestrel::testing {
namespace {

// Both programs print the project's version, the one the package carries; the window offers the
// simulated receiver on its command line.
TEST(Kestrel, PrintsTheProjectsVersionAndOffersTheSimulatedReceiver) {
  const ProgramResult help = RunProgram("kestrel", {"--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.out.find("--simulate"), std::string::npos) << help.out;
  for (const std::string program : {"kestrel", "kestrel-cli"}) {
    const ProgramResult version = RunProgram(program, {"--version"});
    EXPECT_EQ(version.exit_status, 0) << program;
    std::string expected = program;
    expected.append(" ").append(kVersion).append("\n");
    EXPECT_EQ(version.out, expected);
  }
}

// kestrel-sim, the receiver on a pseudo-terminal that scripts and the tests program against.
TEST(KestrelSim, RefusesBadOptionsAndImages) {
  SimProcess help({"--help"});
  EXPECT_EQ(help.device(),
            "usage: kestrel-sim [--image IMAGE.bin] [--save IMAGE.bin] [--region N] "
            "[--check-switch N]");
  EXPECT_EQ(help.Wait(), 0);
  TempFolder folder;
  const std::string file = folder.Path("memory.bin");
  WriteAll(folder / "short.bin", std::string(100, '\0'));
  const std::pair<std::vector<std::string>, int> rows[] = {
      {{"--region", "256"}, 64},
      {{"--drop-rate", "2"}, 64},
      {{"--frobnicate"}, 64},
      {{"--image"}, 64},
      {{"--image", file}, 65},  // missing
      {{"--image", folder.Path("short.bin")}, 65}};
  for (const auto& [args, status] : rows) EXPECT_EQ(SimProcess(args).Wait(), status) << args[0];
}

}  // namespace
}  // namespace kestrel::testing
