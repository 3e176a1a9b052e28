// The Qt serial backend on a pseudo-terminal the test holds the far end of: why a port cannot be
// opened, and a far end that goes away. Whole transfers over a pseudo-terminal run in the CLI's
// suite, against kestrel-sim.
#include "link/qt/qt_serial_port.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include "link/failure_advice.h"
#include "link/port_system.h"
#include "link/protocol.h"
#include "link/qt/port_link.h"
#include "support/temp_files.h"

namespace kestrel::link {
namespace {

using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

TEST(QtSerialPort, ABusyOrVanishedDevice) {
  int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
  const std::string device = ptsname(master);
  RunOnLinkThread([&] {
    RealClock clock;
    QtSerialPort port;
    SerialLine line(port, clock);
    line.SetPortName(device);
    ASSERT_TRUE(line.OpenPort());

    // A port another program holds is in use, not missing nor forbidden: its lock file names
    // the holder, here this very process through the port open above.
    const auto busy = QtSerialPort().Open(device);
    ASSERT_FALSE(busy);
    EXPECT_EQ(busy.error().text,
              "The serial port " + device + " cannot be opened: it is in use by another program.");
    EXPECT_EQ(busy.error().cause, FailureCause::kPortInUse);
    EXPECT_EQ(busy.error().facts.holder_pid, getpid());
    const LinkFailure failure{
        LinkResult::kPortUnavailable, {}, busy.error().cause, busy.error().facts};
    std::string program = ReadAll("/proc/self/comm");
    program.pop_back();  // its line end
    EXPECT_EQ(CauseText(failure, FrontEnd::kCommandLine),
              "Another program is using " + device + ": " + program + " (process " +
                  std::to_string(getpid()) + ").\nClose it, then try again.");

    close(std::exchange(master, -1));  // the far end goes away: the terminal hangs up
    const Tick start = clock.Now();
    line.SendRaw("\x18");
    EXPECT_EQ(line.WaitChar(), CharWait::kLineError);
    EXPECT_LT(TickElapsed(start, clock.Now()), 500u);
    EXPECT_FALSE(line.PortProblem().empty());
    line.ClosePort();
  });
  if (master >= 0) close(master);
}

TEST(QtSerialPort, SaysWhyAPortCannotBeOpened) {
  QtSerialPort port;
  const auto missing = port.Open("/dev/kestrel-no-such-port");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().text, "The serial port /dev/kestrel-no-such-port was not found.");
  EXPECT_EQ(missing.error().cause, FailureCause::kNoSuchPort);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.Receive(10).kind, PortInput::Kind::kFailed);
  // The group that grants access is read from the device itself.
  TempFolder folder;
  const std::string device = folder.Path("device");
  WriteAll(device, "");
  const group* dialout = getgrnam("dialout");
  if (dialout && chown(device.c_str(), static_cast<uid_t>(-1), dialout->gr_gid) == 0) {
    EXPECT_EQ(DeviceGroup(device), "dialout");
  }
  EXPECT_EQ(port.NameForNumber(0), "");
  EXPECT_FALSE(port.NameForNumber(1).empty());
}

}  // namespace
}  // namespace kestrel::link
