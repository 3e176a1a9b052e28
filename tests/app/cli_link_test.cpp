// kestrel-cli read and program end to end: against kestrel-sim on a pseudo-terminal through the
// real serial backend, in real time, so the receivers hold two channels and one simulator serves
// the whole test.
#include <gtest/gtest.h>

#include <cstdint>

#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

constexpr std::size_t kImageSize = 20128;

void SetLong(std::string& image, std::size_t at, std::uint32_t value) {
  for (std::size_t k = 0; k < 4; ++k) image[at + k] = static_cast<char>(value >> (8 * k) & 0xFF);
}

// A receiver's memory with channels 1 and 2 programmed (145.0125 and 145.025 MHz), built byte
// by byte so the test does not lean on the encoder it checks.
std::string TwoChannelImage() {
  std::string image(kImageSize, '\0');
  for (std::size_t c = 0; c < 1000; ++c) {
    const std::size_t slot = 0x1000 + 16 * c;
    SetLong(image, slot, c < 2 ? 145012500 + 12500 * static_cast<std::uint32_t>(c) : 100000);
    image[slot + 6] = c < 2 ? '\x80' : '\x40';
    image.replace(slot + 10, 6, c < 2 ? "TWR-" + std::to_string(c + 1) + " " : "      ");
  }
  for (std::size_t bitmap : {0x0860, 0x08E0}) image[bitmap] = '\x03';
  for (std::size_t counts : {0x0820, 0x0840}) image[counts] = image[counts + 2] = '\x02';
  // Set Mode: position 1 everywhere but the five functions the receiver keeps to itself.
  for (std::size_t f = 0; f < 35; ++f) {
    image[0x0300 + f] = (f >= 12 && f <= 15) || f == 29 ? '\0' : '\x01';
  }
  for (std::size_t b = 0; b < 24; ++b) {
    SetLong(image, 0x0340 + 8 * b, 100000);
    SetLong(image, 0x0344 + 8 * b, 1299995000);
  }
  return image;
}

TEST(CliLinkTest, ReadRefuseAndProgramAgainstTheSimulator) {
  TempFolder dir;
  const std::string two_bin = dir.Path("two.bin");
  const std::string saved = dir.Path("saved.bin");
  WriteAll(two_bin, TwoChannelImage());
  SimProcess sim({"--image", two_bin, "--region", "0", "--save", saved});
  ASSERT_FALSE(sim.device().empty());

  const ProgramResult read = RunProgram(
      "kestrel-cli", {"read", "--port", sim.device(), "-o", dir.Path("two.dat"), "--image-out",
                      dir.Path("read.bin"), "--trace", dir.Path("trace.txt")});
  ASSERT_EQ(read.exit_status, 0) << read.err;
  EXPECT_EQ(read.out, "Completed reading out.\n");
  EXPECT_NE(read.err.find("Reading data.\n"), std::string::npos) << read.err;
  EXPECT_NE(read.err.find("100% (34/34)"), std::string::npos) << read.err;
  const std::string image = ReadAll(dir.Path("read.bin"));
  ASSERT_EQ(image.size(), kImageSize);
  EXPECT_EQ(image.substr(0x1000, 32), TwoChannelImage().substr(0x1000, 32));
  EXPECT_EQ(image.substr(0x1020, 16), std::string(16, '\xFF'));  // channel 3 is not read
  EXPECT_NE(ReadAll(dir.Path("trace.txt")).find(" - open " + sim.device() + "\n"),
            std::string::npos);

  // A failure leaves an existing output file alone and gives the result code; bad arguments
  // and files are refused before any port is opened.
  WriteAll(dir.Path("old.dat"), "old");
  const ProgramResult missing = RunProgram(
      "kestrel-cli", {"read", "--port", "/dev/no-such-kestrel-port", "-o", dir.Path("old.dat")});
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_NE(missing.err.find("kestrel-cli: There is problem with the communication port.\n"
                             "Unable to transfer data.\n"),
            std::string::npos)
      << missing.err;
  EXPECT_EQ(ReadAll(dir.Path("old.dat")), "old");
  const std::vector<std::vector<std::string>> refused_args = {
      {"read", "--port", "9", "-o", dir.Path("x.dat")},
      {"read", "--port", "sim"},
      {"program", "--port", "sim", dir.Path("none.dat")},
      {"program", "--port", "sim", dir.Path("two.dat"), "--count", "0"}};
  const int refused_status[] = {64, 64, 65, 64};
  for (std::size_t i = 0; i < refused_args.size(); ++i) {
    EXPECT_EQ(RunProgram("kestrel-cli", refused_args[i]).exit_status, refused_status[i]) << i;
  }

  std::string file = ReadAll(dir.Path("two.dat"));
  const std::size_t at = file.find("145025000");
  ASSERT_NE(at, std::string::npos);
  WriteAll(dir.Path("blocked.dat"), file.replace(at, 9, "255000000"));
  const ProgramResult refused =
      RunProgram("kestrel-cli", {"program", "--port", sim.device(), dir.Path("blocked.dat")});
  EXPECT_EQ(refused.exit_status, 4);
  EXPECT_NE(refused.err.find("kestrel-cli: The frequency that you set cannot be \nprogrammed.\n"
                             "Please confirm the frequency again.\n"
                             "First refused: channel 001 at 255.00000 MHz.\n"),
            std::string::npos)
      << refused.err;
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(ReadAll(saved), TwoChannelImage());  // saved after the pre-check: nothing written

  // Two receivers: the second is written after one Enter.
  const ProgramResult program =
      RunProgram("kestrel-cli",
                 {"program", "--port", sim.device(), dir.Path("two.dat"), "--count", "2"}, "\n");
  EXPECT_EQ(program.exit_status, 0) << program.err;
  EXPECT_EQ(program.out, "Completed writing.\nCompleted writing.\n");
  EXPECT_NE(program.err.find("Writing data.\n"), std::string::npos);
  EXPECT_NE(program.err.find("100% (1008/1008)"), std::string::npos);
  EXPECT_NE(program.err.find("Connect receiver 2 of 2 and press Enter.\n"), std::string::npos);
  const std::string memory = ReadAll(saved);
  ASSERT_EQ(memory.size(), kImageSize);
  EXPECT_EQ(memory[0x0860], '\x03');
  EXPECT_EQ(memory.substr(0x1000, 32), TwoChannelImage().substr(0x1000, 32));
  EXPECT_EQ(memory.substr(0x0300, 35), TwoChannelImage().substr(0x0300, 35));
}

}  // namespace
}  // namespace kestrel::testing
