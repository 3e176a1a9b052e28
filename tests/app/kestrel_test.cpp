#include <gtest/gtest.h>

#include "support/processes.h"
#include "version.h"

namespace kestrel::testing {
namespace {

TEST(Kestrel, OffersTheSimulatedReceiverOnItsCommandLine) {
  const ProgramResult help = RunProgram("kestrel", {"--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.out.find("--simulate"), std::string::npos) << help.out;
}

// Both programs print the project's version, the one the package carries.
TEST(Kestrel, PrintsTheProjectsVersion) {
  for (const std::string program : {"kestrel", "kestrel-cli"}) {
    const ProgramResult version = RunProgram(program, {"--version"});
    EXPECT_EQ(version.exit_status, 0) << program;
    std::string expected = program;
    expected.append(" ").append(kVersion).append("\n");
    EXPECT_EQ(version.out, expected);
  }
}

}  // namespace
}  // namespace kestrel::testing
