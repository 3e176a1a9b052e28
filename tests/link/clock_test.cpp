#include "link/clock.h"

#include <gtest/gtest.h>

namespace kestrel::link {
namespace {

TEST(Clock, ElapsedIsCorrectAcrossTheWrap) {
  EXPECT_EQ(TickElapsed(100, 1100), 1000u);
  EXPECT_EQ(TickElapsed(kTickMask - 9, 30), 40u);
  EXPECT_EQ(TickUntil(kTickMask - 9, 30), 40);
  EXPECT_EQ(TickUntil(30, kTickMask - 9), -40);

  VirtualClock clock(kTickMask - 500);
  const Tick start = clock.Now();
  clock.Sleep(999);
  EXPECT_LT(clock.Now(), start);  // wrapped
  EXPECT_EQ(TickElapsed(start, clock.Now()), 999u);
  EXPECT_EQ(clock.Total(), 999u);
}

TEST(Clock, RealClockBlocksForTheWait) {
  RealClock clock;
  const Tick start = clock.Now();
  clock.Sleep(20);
  EXPECT_GE(TickElapsed(start, clock.Now()), 20u);
  EXPECT_LT(clock.Now(), kTickModulus);
}

}  // namespace
}  // namespace kestrel::link
