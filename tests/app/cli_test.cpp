#include <gtest/gtest.h>

#include "run_program.h"

namespace kestrel::testing {
namespace {

TEST(KestrelCli, HelpAndUsageErrors) {
  const ProgramResult help = RunProgram("kestrel-cli", {"--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.out.find("usage: kestrel-cli"), std::string::npos);

  EXPECT_EQ(RunProgram("kestrel-cli", {}).exit_status, 64);
  const ProgramResult unknown = RunProgram("kestrel-cli", {"frobnicate"});
  EXPECT_EQ(unknown.exit_status, 64);
  EXPECT_NE(unknown.err.find("unknown command 'frobnicate'"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::testing
