#include "link/serial_line.h"

#include <gtest/gtest.h>

#include "scripted_port.h"

namespace kestrel::link {
namespace {

using testing::ScriptedPort;

struct LineTest : ::testing::Test {
  VirtualClock clock{kTickMask - 300};  // every wait here crosses the wrap of the tick
  ScriptedPort port{clock};
  SerialLine line{port, clock};

  void SetUp() override {
    line.SetPortNumber(1);
    ASSERT_TRUE(line.OpenPort());
  }
  std::uint32_t Since(Tick start) { return TickElapsed(start, clock.Now()); }
};

TEST_F(LineTest, WaitCharTimesOutAt1000MsAndSettleDelayKeepsReceivingFor40) {
  port.input.PushBytes(999, "A");
  Tick start = clock.Now();
  EXPECT_EQ(line.WaitChar(), CharWait::kReceived);
  EXPECT_EQ(Since(start), 999u);
  port.input.PushBytes(1000, "B");
  start = clock.Now();
  EXPECT_EQ(line.WaitChar(), CharWait::kTimeout);
  EXPECT_EQ(Since(start), 1000u);
  EXPECT_EQ(line.RxLast(), "");
  EXPECT_EQ(line.WaitChar(), CharWait::kReceived);  // the late one is the next character
  EXPECT_EQ(line.RxText(), "AB");

  port.input.PushBytes(10, "x");
  port.input.PushBytes(39, "y");  // the last millisecond still belongs to the delay
  port.input.PushBytes(40, "z");  // due as the delay ends: left for later
  start = clock.Now();
  line.SettleDelay();
  EXPECT_EQ(Since(start), 40u);
  EXPECT_EQ(line.RxText(), "ABxy");
  EXPECT_EQ(line.RxLast(), "y");
}

TEST_F(LineTest, LineErrorsTooLongTextAndAFailedPort) {
  port.input.PushBytes(0, std::string(77, 'a'));
  for (int i = 0; i < 76; ++i) ASSERT_EQ(line.WaitChar(), CharWait::kReceived) << i;
  EXPECT_EQ(line.WaitChar(), CharWait::kLineError);   // the 77th character
  EXPECT_EQ(line.LineError(), LineErrorKind::kNone);  // the wait that reports it clears it
  line.ClearRxText();

  // A line-state change is recorded, and the next received character clears it.
  port.input.Push(0, PortInput::LineError(LineErrorKind::kOther));
  EXPECT_EQ(line.WaitChar(), CharWait::kTimeout);
  EXPECT_EQ(line.LineError(), LineErrorKind::kOther);
  port.input.Push(0, PortInput::LineError(LineErrorKind::kFraming));
  port.input.PushBytes(0, "a");
  EXPECT_EQ(line.WaitChar(), CharWait::kReceived);
  // An error reported with the character is seen by the wait that takes it.
  port.input.Push(0, PortInput::Byte('b', LineErrorKind::kParity));
  EXPECT_EQ(line.WaitChar(), CharWait::kLineError);
  EXPECT_EQ(line.RxText(), "ab");

  port.input.Push(0, PortInput::Failed("The serial adapter was removed."));
  const Tick start = clock.Now();
  EXPECT_EQ(line.WaitChar(), CharWait::kLineError);
  EXPECT_EQ(Since(start), 0u);
  EXPECT_EQ(line.PortProblem(), "The serial adapter was removed.");
}

TEST(SerialLinePort, OpeningFollowsThePortNumberRules) {
  VirtualClock clock;
  ScriptedPort port(clock);
  SerialLine line(port, clock);
  EXPECT_EQ(line.OpenPort().error().text, "No serial port has been chosen.");

  line.SetPortNumber(2);
  ASSERT_TRUE(line.OpenPort());
  EXPECT_TRUE(port.dtr);
  ASSERT_TRUE(line.OpenPort());  // same number: RTS again, nothing else
  line.SetPortNumber(3);         // another number: closed first
  ASSERT_TRUE(line.OpenPort());
  EXPECT_EQ(port.opened, (std::vector<std::string>{"COM2", "COM3"}));
  EXPECT_TRUE(line.ClosePort());
  EXPECT_TRUE(line.ClosePort());  // closing a closed port is harmless
  EXPECT_EQ(port.rts_changes, (std::vector<bool>{true, true, false, true, false}));
  EXPECT_FALSE(port.open);

  line.SetPortName("/dev/ttyUSB0");
  port.open_failure = "/dev/ttyUSB0: permission denied";
  EXPECT_EQ(line.OpenPort().error().text, "/dev/ttyUSB0: permission denied");
}

}  // namespace
}  // namespace kestrel::link
