#include <gtest/gtest.h>

#include "support/processes.h"

namespace kestrel::testing {
namespace {

TEST(Kestrel, OffersTheSimulatedReceiverOnItsCommandLine) {
  const ProgramResult help = RunProgram("kestrel", {"--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.out.find("--simulate"), std::string::npos) << help.out;

  const ProgramResult version = RunProgram("kestrel", {"--version"});
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_NE(version.out.find("1.00"), std::string::npos) << version.out;
}

}  // namespace
}  // namespace kestrel::testing
