#include "link/trace_port.h"

#include <gtest/gtest.h>

#include <sstream>

#include "link/link.h"
#include "link/sim/simulated_receiver_port.h"

namespace kestrel::link {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(TracePortTest, RecordsEveryByteBothWaysWithItsTime) {
  VirtualClock clock(kTickMask - 10);  // the trace's time runs on across the tick's wrap
  ReceiverSimulator receiver;
  receiver.memory().SetByte(0x0050, 0xA5);
  SimulatedReceiverPort port(receiver, clock);
  std::ostringstream out;
  {
    TracePort trace(port, clock, out);
    Link link(trace, clock);
    link.SelectPortNumber(2);
    MemoryImage image;
    ASSERT_EQ(link.ProgramPrecheck(image), LinkResult::kSuccess);
  }
  const auto lines = Lines(out.str());
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], "       0 - open sim2");
  EXPECT_EQ(lines[1], "       0 - DTR on");
  EXPECT_EQ(lines[2], "       0 - RTS on");
  EXPECT_EQ(lines[3], "       0 > 18   .");  // the handshake
  EXPECT_EQ(lines[4], "       0 < 06   .");
  // The 16-byte read at 0x0050 after the 40 ms settle delay, and the reply with 0xA5 first.
  EXPECT_EQ(lines[5], "      40 > 01 31 34 30 30 35 30 44 35 0D   .140050D5.");
  EXPECT_TRUE(lines[6].starts_with("      40 < 01 31 34 41 35 30 30 ")) << lines[6];
  EXPECT_EQ(lines[lines.size() - 2], "      80 - RTS off");
  EXPECT_EQ(lines.back(), "      80 - close");
}

TEST(TracePortTest, NotesTimeOutsAndPortsThatCannotOpen) {
  VirtualClock clock;
  ReceiverSimulator receiver({.silent_after = 0});
  SimulatedReceiverPort port(receiver, clock);
  std::ostringstream out;
  TracePort trace(port, clock, out);
  Link link(trace, clock);
  link.SelectPortNumber(1);
  MemoryImage image;
  EXPECT_EQ(link.ReadPrecheck(image), LinkResult::kReadFailed);
  EXPECT_NE(out.str().find("\n    1000 - nothing received for 1000 ms\n"), std::string::npos)
      << out.str();
  port.SetOpenFailure("sim1 is in use.");
  EXPECT_EQ(link.ReadPrecheck(image), LinkResult::kPortUnavailable);
  EXPECT_NE(out.str().find(" - cannot open sim1: sim1 is in use.\n"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::link
