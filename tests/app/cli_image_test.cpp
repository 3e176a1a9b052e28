#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/data_file.h"
#include "model/defaults.h"
#include "run_program.h"

namespace kestrel::testing {
namespace {

constexpr std::size_t kImageSize = 20128;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Replaces line `number` (1-based) of a CR LF text.
void ReplaceLine(std::string& text, int number, const std::string& line) {
  std::size_t start = 0;
  for (int i = 1; i < number; ++i) start = text.find("\r\n", start) + 2;
  text.replace(start, text.find("\r\n", start) - start, line);
}

int Word(const std::string& image, std::size_t address) {
  return static_cast<unsigned char>(image[address]) |
         (static_cast<unsigned char>(image[address + 1]) << 8);
}

TEST(KestrelCliImage, EncodeThenDecodeGivesTheRecordBack) {
  TempDir dir;
  ASSERT_EQ(RunProgram("kestrel-cli", {"new", "-o", dir.Path("a.dat")}).exit_status, 0);
  const ProgramResult encoded =
      RunProgram("kestrel-cli", {"encode", dir.Path("a.dat"), "-o", dir.Path("a.bin")});
  ASSERT_EQ(encoded.exit_status, 0) << encoded.err;
  EXPECT_EQ(encoded.out, dir.Path("a.bin") + ": 89 programmed channels\n");
  const std::string image = ReadBytes(dir.Path("a.bin"));
  ASSERT_EQ(image.size(), kImageSize);
  EXPECT_EQ(Word(image, 0x0820), 89);
  EXPECT_EQ(Word(image, 0x0010), 800);  // channel 801 is the lowest programmed
  EXPECT_EQ(image[0x0400], '\0');       // no base: zeros

  const ProgramResult decoded =
      RunProgram("kestrel-cli", {"decode", dir.Path("a.bin"), "-o", dir.Path("b.dat")});
  ASSERT_EQ(decoded.exit_status, 0) << decoded.err;
  EXPECT_EQ(decoded.out, dir.Path("b.dat") + ": 89 programmed channels\n");

  const auto sent = LoadDataFile(dir.Path("a.dat"), NewConfiguration());
  const auto read = LoadDataFile(dir.Path("b.dat"), NewConfiguration());
  ASSERT_TRUE(sent.has_value() && read.has_value());
  RadioConfig expected = *sent;
  for (int c = 1; c <= kChannelCount; ++c) {
    if (expected.Channel(c).IsProgrammed()) expected.Channel(c).Name.resize(6, ' ');
  }
  EXPECT_EQ(*read, expected);

  // What a read gives back programs the same bytes.
  ASSERT_EQ(
      RunProgram("kestrel-cli", {"encode", dir.Path("b.dat"), "-o", dir.Path("b.bin")}).exit_status,
      0);
  EXPECT_EQ(ReadBytes(dir.Path("b.bin")), image);
}

TEST(KestrelCliImage, EncodeKeepsTheBaseImageOutsideItsAreas) {
  TempDir dir;
  ASSERT_EQ(RunProgram("kestrel-cli", {"new", "-o", dir.Path("a.dat")}).exit_status, 0);
  WriteBytes(dir.Path("base.bin"), std::string(kImageSize, '\xEE'));
  const ProgramResult encoded = RunProgram(
      "kestrel-cli",
      {"encode", dir.Path("a.dat"), "--base", dir.Path("base.bin"), "-o", dir.Path("a.bin")});
  ASSERT_EQ(encoded.exit_status, 0) << encoded.err;
  const std::string image = ReadBytes(dir.Path("a.bin"));
  ASSERT_EQ(image.size(), kImageSize);
  for (std::size_t a : {0x0000, 0x0001, 0x005E, 0x005F, 0x0400, 0x4E80, 0x4E9F}) {
    EXPECT_EQ(image[a], '\xEE') << a;
  }
  EXPECT_EQ(Word(image, 0x0820), 89);
  EXPECT_EQ(ReadBytes(dir.Path("base.bin")), std::string(kImageSize, '\xEE'));
}

TEST(KestrelCliImage, RefusalsExit65AndWriteNothing) {
  TempDir dir;
  WriteBytes(dir.Path("short.bin"), std::string(kImageSize - 1, '\0'));
  ProgramResult result =
      RunProgram("kestrel-cli", {"decode", dir.Path("short.bin"), "-o", dir.Path("x.dat")});
  EXPECT_EQ(result.exit_status, 65);
  EXPECT_NE(result.err.find("short.bin: an image is exactly 20128 bytes, this file has 20127"),
            std::string::npos)
      << result.err;
  EXPECT_FALSE(std::filesystem::exists(dir.Path("x.dat")));

  ASSERT_EQ(RunProgram("kestrel-cli", {"new", "-o", dir.Path("a.dat")}).exit_status, 0);
  result = RunProgram("kestrel-cli", {"encode", dir.Path("a.dat"), "--base", dir.Path("short.bin"),
                                      "-o", dir.Path("x.bin")});
  EXPECT_EQ(result.exit_status, 65);
  EXPECT_NE(result.err.find("exactly 20128 bytes"), std::string::npos) << result.err;

  std::string text = ReadBytes(dir.Path("a.dat"));
  ReplaceLine(text, 41, " 256 ");      // channel 1, Step
  ReplaceLine(text, 12105, " 5000 ");  // ChargeTime
  WriteBytes(dir.Path("bad.dat"), text);
  result = RunProgram("kestrel-cli", {"encode", dir.Path("bad.dat"), "-o", dir.Path("x.bin")});
  EXPECT_EQ(result.exit_status, 65);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "kestrel-cli: " + dir.Path("bad.dat") +
                            " cannot be encoded:\n"
                            "  channel 000, Step: 256 does not fit a byte (0 to 255)\n"
                            "  Factory Settings, ChargeTime: 5000 gives 300060 minutes, which does "
                            "not fit a 16-bit word (0 to 65535)\n");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("x.bin")));

  EXPECT_EQ(RunProgram("kestrel-cli", {"encode", dir.Path("a.dat")}).exit_status, 64);
  EXPECT_EQ(RunProgram("kestrel-cli", {"decode", "-o", dir.Path("x.dat")}).exit_status, 64);
  EXPECT_EQ(RunProgram("kestrel-cli", {"encode", "--help"}).exit_status, 0);
}

}  // namespace
}  // namespace kestrel::testing
