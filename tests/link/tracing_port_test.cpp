#include "link/tracing_port.h"

#include <gtest/gtest.h>

#include "link/frames.h"
#include "link/link.h"
#include "link/sim/simulated_receiver_port.h"

namespace kestrel::link {
namespace {

TEST(TracingPort, DescribesAStepLineByLine) {
  VirtualClock clock;
  ReceiverSimulator receiver({.echo = true});
  SimulatedReceiverPort sim(receiver, clock);
  std::vector<std::string> lines;
  TracingPort port(sim, clock, [&](const std::string& line) { lines.push_back(line); });
  Link link(port, clock);
  link.SelectPortNumber(1);
  MemoryImage image;
  ASSERT_EQ(link.ProgramPrecheck(image), LinkResult::kSuccess);
  const std::string frame = BuildFrame(ReadBlockText(0x0050));
  const std::string body = "14" + std::string(32, '0');
  const std::string reply = "\x01" + body + HexByte(Checksum(body)) + "\r";
  EXPECT_EQ(DescribeBytes(frame), "01 31 34 30 30 35 30 44 35 0D |.140050D5.|");
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "0 ms opened sim1",
                       "0 ms DTR on",
                       "0 ms RTS on",
                       "0 ms sent 18 |.|",
                       "40 ms received 18 06 |..|",
                       "40 ms sent " + DescribeBytes(frame),
                       "80 ms received " + DescribeBytes(frame + reply),
                       "80 ms RTS off",
                       "80 ms closed",
                   }));

  lines.clear();
  receiver.options().silent_after = 0;
  EXPECT_EQ(link.ProgramPrecheck(image), LinkResult::kReadFailed);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[4], "1080 ms nothing for 1000 ms");
}

}  // namespace
}  // namespace kestrel::link
