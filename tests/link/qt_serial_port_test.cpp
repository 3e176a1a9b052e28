// End to end: kestrel-sim on a pseudo-terminal, driven through the Qt backend in real time.
#include "link/qt/qt_serial_port.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>

#include "link/failure_advice.h"
#include "link/frames.h"
#include "link/link.h"
#include "link/port_system.h"
#include "link/protocol.h"
#include "link/qt/port_link.h"
#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::link {
namespace {

using testing::ReadAll;
using testing::SimProcess;
using testing::TempFolder;
using testing::WriteAll;

// What Qt prints (its warnings above all) from any thread, once RecordQtMessage is installed.
std::mutex qt_messages_mutex;
std::vector<std::string> qt_messages;
void RecordQtMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
  const std::lock_guard lock(qt_messages_mutex);
  qt_messages.push_back(text.toStdString());
}

TEST(KestrelSim, RefusesBadOptionsAndImages) {
  SimProcess help({"--help"});
  EXPECT_EQ(help.device(),
            "usage: kestrel-sim [--image IMAGE.bin] [--save IMAGE.bin] [--region N] "
            "[--check-switch N]");
  EXPECT_EQ(help.Wait(), 0);
  TempFolder folder;
  const std::string file = folder.Path("memory.bin");
  const std::pair<std::vector<std::string>, int> rows[] = {{{"--region", "256"}, 64},
                                                           {{"--drop-rate", "2"}, 64},
                                                           {{"--frobnicate"}, 64},
                                                           {{"--image"}, 64},
                                                           {{"--image", file}, 65}};  // missing
  for (const auto& [args, status] : rows) EXPECT_EQ(SimProcess(args).Wait(), status) << args[0];
  WriteAll(file, std::string(100, '\0'));
  EXPECT_EQ(SimProcess({"--image", file}).Wait(), 65);  // too short
}

TEST(QtSerialPort, ReadsAndWritesThroughKestrelSimWhichSavesAfterEachStep) {
  TempFolder folder;
  const std::string file = folder.Path("memory.bin"), saved = folder.Path("saved.bin");
  WriteAll(file, std::string(20128, '\x11'));
  SimProcess sim(
      {"--image", file, "--region", "3", "--check-switch", "1", "--save", saved, "--log"});
  ASSERT_EQ(sim.device().rfind("/dev/", 0), 0u) << "kestrel-sim did not start";
  // A program that went away in the middle of a frame spoils nothing for the next one.
  std::ofstream(sim.device(), std::ios::binary) << kSoh << "1400";
  const QtMessageHandler previous_handler = qInstallMessageHandler(RecordQtMessage);
  RunOnLinkThread([&] {
    PortLink port_link({.port = PortChoice::Device(sim.device())});
    Link& link = port_link.link();
    MemoryImage image;
    const LinkStatus checked = link.ProgramPrecheck(image);
    ASSERT_TRUE(checked) << checked.error().detail;
    EXPECT_EQ(image.Byte(0x005E), 3);
    EXPECT_EQ(image.Byte(0x005F), 1);
    EXPECT_EQ(image.Byte(0x0050), 0x11);  // from the image file
    for (std::size_t a = 0x0340; a <= 0x0400; ++a) image.SetByte(a, static_cast<std::uint8_t>(a));
    const std::vector<AddressRange> bands{{0x0340, 0x0400}};
    const LinkStatus written = link.WriteRanges(image, bands);
    ASSERT_TRUE(written) << written.error().detail;
    MemoryImage back;
    const LinkStatus read = link.ReadRanges(back, bands);
    ASSERT_TRUE(read) << read.error().detail;
    for (std::size_t a = 0x0340; a <= 0x0400; ++a) ASSERT_EQ(back.Byte(a), image.Byte(a)) << a;
    EXPECT_EQ(back.Byte(0x0300), 0xFF);
  });
  qInstallMessageHandler(previous_handler);
  EXPECT_EQ(qt_messages, std::vector<std::string>{});  // none about the thread, say

  // The last step closed the device: the file is saved without stopping the program.
  std::string bytes;
  for (int i = 0; i < 50 && (bytes.size() != 20128 || bytes[0x0400] != 0); ++i) {
    usleep(20000);
    bytes = ReadAll(saved);
  }
  ASSERT_EQ(bytes.size(), MemoryImage::kSize);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[0x03FF]), 0xFF);
  EXPECT_EQ(bytes[0x0400], 0x00);
  EXPECT_EQ(sim.Stop(), 0);  // SIGTERM ends it cleanly
  EXPECT_EQ(sim.output().substr(0, 32), "handshake\n14 0050 read 16 bytes\n");
}

TEST(QtSerialPort, AnEchoingBusyOrVanishedDevice) {
  auto sim = std::make_unique<SimProcess>(std::vector<std::string>{"--echo"});
  ASSERT_FALSE(sim->device().empty());
  RunOnLinkThread([&] {
    RealClock clock;
    QtSerialPort port;
    SerialLine line(port, clock);
    line.SetPortName(sim->device());
    ASSERT_TRUE(line.OpenPort());
    // The terminal echoes: the handshake skips the echoed CAN, the read drops the echoed frame,
    // the write passes over it to the acknowledgement.
    ASSERT_TRUE(Handshake(line));
    MemoryImage image;
    EXPECT_TRUE(ReadByte(line, image, 0x0000));
    EXPECT_TRUE(WriteByte(line, image, 0x0000));

    // A port another program holds is in use, not missing nor forbidden: its lock file names
    // the holder, here this very process through the port open above.
    const auto busy = QtSerialPort().Open(sim->device());
    ASSERT_FALSE(busy);
    EXPECT_EQ(busy.error().text, "The serial port " + sim->device() +
                                     " cannot be opened: it is in use by another program.");
    EXPECT_EQ(busy.error().cause, FailureCause::kPortInUse);
    EXPECT_EQ(busy.error().facts.holder_pid, getpid());
    const LinkFailure failure{
        LinkResult::kPortUnavailable, {}, busy.error().cause, busy.error().facts};
    std::string program = ReadAll("/proc/self/comm");
    program.pop_back();  // its line end
    EXPECT_EQ(CauseText(failure, FrontEnd::kCommandLine),
              "Another program is using " + sim->device() + ": " + program + " (process " +
                  std::to_string(getpid()) + ").\nClose it, then try again.");

    sim.reset();  // the far end goes away: the terminal hangs up
    const Tick start = clock.Now();
    line.SendRaw("\x18");
    EXPECT_EQ(line.WaitChar(), CharWait::kLineError);
    EXPECT_LT(TickElapsed(start, clock.Now()), 500u);
    EXPECT_FALSE(line.PortProblem().empty());
    line.ClosePort();
  });
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
