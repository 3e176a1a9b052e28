#include "link/trace_port.h"

#include <gtest/gtest.h>

#include <sstream>

#include "link/link.h"
#include "link/protocol.h"
#include "link/sim/simulated_receiver_port.h"

namespace kestrel::link {
namespace {

struct TracePortTest : ::testing::Test {
  VirtualClock clock{kTickMask - 10};  // the trace's time runs on across the tick's wrap
  ReceiverSimulator receiver;
  SimulatedReceiverPort port{receiver, clock};
  std::ostringstream out;
  MemoryImage image;
};

TEST_F(TracePortTest, RecordsEveryByteBothWaysWithItsTime) {
  receiver.memory().SetByte(0x0050, 0xA5);
  {
    TracePort trace(port, clock, out);
    Link link(trace, clock);
    link.SelectPortNumber(2);
    ASSERT_TRUE(link.ProgramPrecheck(image));
  }
  // The handshake, then the 16-byte read at 0x0050 after the 40 ms settle delay and the reply
  // with 0xA5 first.
  EXPECT_TRUE(
      out.str().starts_with("       0 - open sim2\n"
                            "       0 - DTR on\n"
                            "       0 - RTS on\n"
                            "       0 > 18   .\n"
                            "       0 < 06   .\n"
                            "      40 > 01 31 34 30 30 35 30 44 35 0D   .140050D5.\n"
                            "      40 < 01 31 34 41 35 30 30 "))
      << out.str();
  EXPECT_TRUE(out.str().ends_with("\n      80 - RTS off\n      80 - close\n")) << out.str();
}

TEST_F(TracePortTest, NotesTimeOutsAndPortsThatCannotOpen) {
  receiver.options().silent_after = 0;
  TracePort trace(port, clock, out);
  Link link(trace, clock);
  link.SelectPortNumber(1);
  EXPECT_FALSE(link.ReadPrecheck(image));
  EXPECT_NE(out.str().find("\n    1000 - nothing received for 1000 ms\n"), std::string::npos)
      << out.str();
  // A wait the line makes in parts, to tick the time left along, is still one silence.
  int ticks = 0;
  link.line().SetWaitTick([&] { ++ticks; });
  out.str({});
  EXPECT_FALSE(link.ReadPrecheck(image));
  EXPECT_EQ(ticks, 4 * kAttempts);
  EXPECT_NE(out.str().find(" - nothing received for 1000 ms\n"), std::string::npos) << out.str();
  EXPECT_EQ(out.str().find(" - nothing received for 250 ms\n"), std::string::npos) << out.str();
  port.SetOpenFailure(std::string("sim1 is in use."));
  EXPECT_EQ(link.ReadPrecheck(image).error().code, LinkResult::kPortUnavailable);
  EXPECT_NE(out.str().find(" - cannot open sim1: sim1 is in use.\n"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::link
