// End to end: the Qt backend against kestrel-sim on a pseudo-terminal, in real time.
#include "link/qt/qt_serial_port.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <unistd.h>

#include <QThread>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "link/link.h"
#include "sim_process.h"

namespace kestrel::link {
namespace {

using testing::SimProcess;

// The backend is made for a worker thread started with QThread, as the window's transfers use.
void OnWorkerThread(std::function<void()> body) {
  std::unique_ptr<QThread> worker(QThread::create(std::move(body)));
  worker->start();
  worker->wait();
}

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("kestrel-link-" + std::to_string(getpid()) + "-" + name))
      .string();
}

void ReadAndWrite(const std::string& device) {
  RealClock clock;
  QtSerialPort port;
  Link link(port, clock);
  link.SelectPort(device);
  MemoryImage image;
  ASSERT_EQ(link.ProgramPrecheck(image), LinkResult::kSuccess) << link.FailureDetail();
  EXPECT_EQ(image.Byte(0x005E), 3);
  EXPECT_FALSE(port.IsOpen());

  ASSERT_EQ(link.ReadPrecheck(image), LinkResult::kSuccess) << link.FailureDetail();
  EXPECT_EQ(image.Byte(0x0860), 0);  // the simulator starts with no channel in use

  for (std::size_t a = 0x0340; a <= 0x0400; ++a) image.SetByte(a, static_cast<std::uint8_t>(a));
  const std::vector<AddressRange> bands{{0x0340, 0x0400}};
  ASSERT_EQ(link.WriteRanges(image, bands), LinkResult::kSuccess) << link.FailureDetail();

  MemoryImage back;
  int progress = 0;
  ASSERT_EQ(link.ReadRanges(back, bands, {nullptr, [&](int v) { progress = v; }}),
            LinkResult::kSuccess)
      << link.FailureDetail();
  EXPECT_EQ(progress, 1);
  for (std::size_t a = 0x0340; a <= 0x0400; ++a) ASSERT_EQ(back.Byte(a), image.Byte(a)) << a;
  EXPECT_EQ(back.Byte(0x0300), 0xFF);
}

TEST(QtSerialPort, ReadsAndWritesThroughKestrelSim) {
  const std::string saved = TempPath("saved.bin");
  SimProcess sim({"--region", "3", "--save", saved});
  ASSERT_FALSE(sim.device().empty()) << "kestrel-sim did not start";
  OnWorkerThread([&] { ReadAndWrite(sim.device()); });

  EXPECT_EQ(sim.Stop(), 0);
  std::ifstream file(saved, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  ASSERT_EQ(bytes.size(), MemoryImage::kSize);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[0x0400]), 0x00);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[0x03FF]), 0xFF);
  std::filesystem::remove(saved);
}

TEST(QtSerialPort, SaysWhyAPortCannotBeOpened) {
  QtSerialPort port;
  const auto missing = port.Open("/dev/kestrel-no-such-port");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error(), "The serial port /dev/kestrel-no-such-port was not found.");
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.Receive(10).kind, PortInput::Kind::kFailed);

  EXPECT_EQ(OpenFailureText("COM3", false, false, "it is in use by another program"),
            "The serial port COM3 cannot be opened: it is in use by another program.");
  // A port another program holds is in use, not missing.
  SimProcess sim({});
  ASSERT_FALSE(sim.device().empty());
  OnWorkerThread([&] {
    QtSerialPort first;
    QtSerialPort second;
    ASSERT_TRUE(first.Open(sim.device()));
    const auto busy = second.Open(sim.device());
    ASSERT_FALSE(busy);
    EXPECT_EQ(busy.error(), "The serial port " + sim.device() +
                                " cannot be opened: it is in use by another program.");
  });

  // Permission problems name the group that grants access, where the device has one.
  const std::string device = TempPath("device");
  std::ofstream(device) << "";
  const group* dialout = getgrnam("dialout");
  if (dialout && chown(device.c_str(), static_cast<uid_t>(-1), dialout->gr_gid) == 0) {
    EXPECT_EQ(OpenFailureText(device, false, true, ""),
              "Permission to use the serial port " + device +
                  " was denied; add your user to the group 'dialout' and log in again.");
  }
  std::filesystem::remove(device);
  EXPECT_EQ(OpenFailureText("/dev/null", false, true, ""),
            "Permission to use the serial port /dev/null was denied.");

  EXPECT_EQ(port.NameForNumber(0), "");
  EXPECT_FALSE(port.NameForNumber(1).empty());
}

void FailWhenTheDeviceVanishes(std::unique_ptr<SimProcess> sim) {
  RealClock clock;
  QtSerialPort port;
  SerialLine line(port, clock);
  line.SetPortName(sim->device());
  ASSERT_TRUE(line.OpenPort());
  sim.reset();  // the far end goes away: the terminal hangs up
  const Tick start = clock.Now();
  line.SendRaw("\x18");
  EXPECT_EQ(line.WaitChar(), CharWait::kLineError);
  EXPECT_LT(TickElapsed(start, clock.Now()), 500u);
  EXPECT_FALSE(line.PortProblem().empty());
  line.ClosePort();
}

TEST(QtSerialPort, AVanishedDeviceFailsTheCommandPromptly) {
  auto sim = std::make_unique<SimProcess>(std::vector<std::string>{});
  ASSERT_FALSE(sim->device().empty());
  OnWorkerThread([&] { FailWhenTheDeviceVanishes(std::move(sim)); });
}

}  // namespace
}  // namespace kestrel::link
