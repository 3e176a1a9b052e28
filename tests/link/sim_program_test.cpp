// kestrel-sim as a script uses it: options, image files, and a plain client on its terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "link/frames.h"
#include "sim_process.h"

namespace kestrel::link {
namespace {

using testing::SimProcess;

struct TempFile {
  std::string path = (std::filesystem::temp_directory_path() /
                      ("kestrel-sim-test-" + std::to_string(getpid()) + ".bin"))
                         .string();
  ~TempFile() { std::filesystem::remove(path); }
};

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Sends `bytes` on the terminal and collects what comes back within `ms`.
std::string Exchange(const std::string& device, const std::string& bytes, int ms = 300) {
  const int fd = open(device.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return "cannot open";
  termios raw{};
  tcgetattr(fd, &raw);
  cfmakeraw(&raw);
  tcsetattr(fd, TCSANOW, &raw);
  std::string answer;
  if (write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())) {
    pollfd in{fd, POLLIN, 0};
    while (poll(&in, 1, ms) > 0) {
      char buffer[64];
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      answer.append(buffer, static_cast<std::size_t>(n));
    }
  }
  close(fd);
  return answer;
}

TEST(KestrelSim, RefusesBadOptionsAndImages) {
  SimProcess help({"--help"});
  EXPECT_EQ(help.device(),
            "usage: kestrel-sim [--image IMAGE.bin] [--save IMAGE.bin] [--region N] "
            "[--check-switch N]");
  EXPECT_EQ(help.Wait(), 0);
  EXPECT_EQ(SimProcess({"--region", "256"}).Wait(), 64);
  EXPECT_EQ(SimProcess({"--drop-rate", "2"}).Wait(), 64);
  EXPECT_EQ(SimProcess({"--frobnicate"}).Wait(), 64);
  EXPECT_EQ(SimProcess({"--image"}).Wait(), 64);

  TempFile file;
  EXPECT_EQ(SimProcess({"--image", file.path}).Wait(), 65);  // missing
  WriteFile(file.path, std::string(100, '\0'));
  EXPECT_EQ(SimProcess({"--image", file.path}).Wait(), 65);  // too short
}

TEST(KestrelSim, ServesItsImageWithSwitchesAndLogsEachCommand) {
  TempFile file;
  std::string bytes(20128, '\0');
  bytes[0x0123] = '\xA5';
  WriteFile(file.path, bytes);
  SimProcess sim({"--image", file.path, "--check-switch", "1", "--echo", "--log"});
  ASSERT_EQ(sim.device().rfind("/dev/", 0), 0u) << sim.device();

  EXPECT_EQ(Exchange(sim.device(), "\x18"), "\x18\x06");
  const std::string read = BuildFrame(ReadByteText(0x0123));
  EXPECT_EQ(Exchange(sim.device(), read), read +
                                              "\x01"
                                              "12A526\r");
  const std::string check = BuildFrame(ReadByteText(0x005F));
  EXPECT_EQ(Exchange(sim.device(), check), check +
                                               "\x01"
                                               "1201" +
                                               HexByte(Checksum("1201")) + "\r");

  EXPECT_EQ(sim.Stop(), 0);  // SIGTERM ends it cleanly
  EXPECT_EQ(sim.output(), "handshake\n12 0123 read byte\n12 005F read byte\n");
}

TEST(KestrelSim, SavesItsMemoryAfterEachStep) {
  TempFile file;
  SimProcess sim({"--save", file.path});
  ASSERT_FALSE(sim.device().empty());
  EXPECT_EQ(Exchange(sim.device(), "\x18" + BuildFrame(WriteByteText(0x0300, 0x42))), "\x06\x06");
  // The device was closed: the step is over and the file is there without stopping the program.
  std::vector<char> saved;
  for (int i = 0; i < 50 && saved.size() != 20128; ++i) {
    usleep(20000);
    std::ifstream in(file.path, std::ios::binary);
    saved.assign(std::istreambuf_iterator<char>(in), {});
  }
  ASSERT_EQ(saved.size(), 20128u);
  EXPECT_EQ(saved[0x0300], 0x42);
  EXPECT_EQ(sim.Stop(), 0);
}

}  // namespace
}  // namespace kestrel::link
