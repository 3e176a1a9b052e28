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
};

TEST_F(LineTest, WaitCharTakesACharacterUntil999MsAndTimesOutAt1000) {
  port.input.PushBytes(999, "A");
  Tick start = clock.Now();
  EXPECT_EQ(line.WaitChar(), CharWait::kReceived);
  EXPECT_EQ(TickElapsed(start, clock.Now()), 999u);
  EXPECT_EQ(line.RxLast(), "A");

  port.input.PushBytes(1000, "B");
  start = clock.Now();
  EXPECT_EQ(line.WaitChar(), CharWait::kTimeout);
  EXPECT_EQ(TickElapsed(start, clock.Now()), 1000u);
  EXPECT_EQ(line.RxLast(), "");
  EXPECT_EQ(line.WaitChar(), CharWait::kReceived);  // the late one is the next character
  EXPECT_EQ(line.RxText(), "AB");
}

TEST_F(LineTest, SettleDelayLastsFortyMsAndKeepsReceiving) {
  port.input.PushBytes(10, "xy");
  port.input.PushBytes(40, "z");  // due as the delay ends: left for later
  const Tick start = clock.Now();
  line.SettleDelay();
  EXPECT_EQ(TickElapsed(start, clock.Now()), 40u);
  EXPECT_EQ(line.RxText(), "xy");
  EXPECT_EQ(line.RxLast(), "y");
}

TEST_F(LineTest, TextLongerThan76CharactersIsALineError) {
  port.input.PushBytes(0, std::string(77, 'a'));
  for (int i = 0; i < 76; ++i) ASSERT_EQ(line.WaitChar(), CharWait::kReceived) << i;
  EXPECT_EQ(line.WaitChar(), CharWait::kLineError);
  EXPECT_EQ(line.LineError(), 0);  // the wait that reports it clears it

  line.ClearRxText();
  port.input.PushBytes(0, "b");
  EXPECT_EQ(line.WaitChar(), CharWait::kReceived);
}

TEST_F(LineTest, LineErrorsFollowTheNotificationOrder) {
  // A line-state change is recorded, and the next received character clears it.
  port.input.Push(0, PortInput::LineError(LineErrorKind::kOther));
  EXPECT_EQ(line.WaitChar(), CharWait::kTimeout);
  EXPECT_EQ(line.LineError(), 10);
  port.input.Push(0, PortInput::LineError(LineErrorKind::kFraming));
  port.input.PushBytes(0, "a");
  EXPECT_EQ(line.WaitChar(), CharWait::kReceived);
  // An error reported with the character is seen by the wait that takes it.
  port.input.Push(0, PortInput::Byte('b', LineErrorKind::kParity));
  EXPECT_EQ(line.WaitChar(), CharWait::kLineError);
  EXPECT_EQ(line.RxText(), "ab");
}

TEST_F(LineTest, AFailedPortEndsTheWaitAtOnce) {
  port.input.Push(0, PortInput::Failed("The serial adapter was removed."));
  const Tick start = clock.Now();
  EXPECT_EQ(line.WaitChar(), CharWait::kLineError);
  EXPECT_EQ(TickElapsed(start, clock.Now()), 0u);
  EXPECT_EQ(line.PortProblem(), "The serial adapter was removed.");
}

TEST(SerialLinePort, OpeningFollowsThePortNumberRules) {
  VirtualClock clock;
  ScriptedPort port(clock);
  SerialLine line(port, clock);

  EXPECT_FALSE(line.OpenPort());  // no port chosen
  EXPECT_EQ(line.FailureDetail(), "No serial port has been chosen.");
  EXPECT_TRUE(port.opened.empty());

  line.SetPortNumber(2);
  ASSERT_TRUE(line.OpenPort());
  EXPECT_TRUE(port.dtr);
  EXPECT_EQ(port.opened, std::vector<std::string>{"COM2"});
  EXPECT_EQ(port.rts_changes, std::vector<bool>{true});

  ASSERT_TRUE(line.OpenPort());  // same number: RTS again, nothing else
  EXPECT_EQ(port.opened.size(), 1u);
  EXPECT_EQ(port.rts_changes, (std::vector<bool>{true, true}));

  line.SetPortNumber(3);  // another number: closed first
  ASSERT_TRUE(line.OpenPort());
  EXPECT_EQ(port.opened, (std::vector<std::string>{"COM2", "COM3"}));
  EXPECT_EQ(port.rts_changes, (std::vector<bool>{true, true, false, true}));

  EXPECT_TRUE(line.ClosePort());
  EXPECT_FALSE(port.open);
  EXPECT_FALSE(port.rts_changes.back());
  EXPECT_TRUE(line.ClosePort());  // closing a closed port is harmless

  line.SetPort("/dev/ttyUSB0");
  port.open_failure = "/dev/ttyUSB0: permission denied";
  EXPECT_FALSE(line.OpenPort());
  EXPECT_EQ(line.FailureDetail(), "/dev/ttyUSB0: permission denied");
  EXPECT_FALSE(port.open);
}

}  // namespace
}  // namespace kestrel::link
