#include <gtest/gtest.h>

#include <filesystem>

#include "run_program.h"

namespace kestrel::testing {
namespace {

constexpr std::size_t kImageSize = 20128;

int Word(const std::string& image, std::size_t address) {
  return static_cast<unsigned char>(image[address]) |
         (static_cast<unsigned char>(image[address + 1]) << 8);
}

// Replaces line `number` (1-based) of a CR LF text.
void ReplaceLine(std::string& text, int number, const std::string& line) {
  std::size_t start = 0;
  for (int i = 1; i < number; ++i) start = text.find("\r\n", start) + 2;
  text.replace(start, text.find("\r\n", start) - start, line);
}

struct KestrelCliImage : ::testing::Test {
  void SetUp() override { ASSERT_EQ(Cli({"new", "-o", dir.Path("a.dat")}).exit_status, 0); }
  ProgramResult Cli(const std::vector<std::string>& args) {
    return RunProgram("kestrel-cli", args);
  }
  TempDir dir;
};

TEST_F(KestrelCliImage, EncodeThenDecodeGivesTheBytesBackAndKeepsTheBase) {
  const ProgramResult encoded = Cli({"encode", dir.Path("a.dat"), "-o", dir.Path("a.bin")});
  ASSERT_EQ(encoded.exit_status, 0) << encoded.err;
  EXPECT_EQ(encoded.out, dir.Path("a.bin") + ": 89 programmed channels\n");
  const std::string image = ReadBytes(dir.Path("a.bin"));
  ASSERT_EQ(image.size(), kImageSize);
  EXPECT_EQ(Word(image, 0x0820), 89);
  EXPECT_EQ(Word(image, 0x0010), 800);  // channel 801 is the lowest programmed
  EXPECT_EQ(image[0x0400], '\0');       // no base: zeros

  const ProgramResult decoded = Cli({"decode", dir.Path("a.bin"), "-o", dir.Path("b.dat")});
  ASSERT_EQ(decoded.exit_status, 0) << decoded.err;
  EXPECT_EQ(decoded.out, dir.Path("b.dat") + ": 89 programmed channels\n");
  // What a read gives back programs the same bytes.
  ASSERT_EQ(Cli({"encode", dir.Path("b.dat"), "-o", dir.Path("b.bin")}).exit_status, 0);
  EXPECT_EQ(ReadBytes(dir.Path("b.bin")), image);

  // With a base image, every byte outside the encoder's areas comes from it.
  WriteBytes(dir.Path("base.bin"), std::string(kImageSize, '\xEE'));
  ASSERT_EQ(Cli({"encode", dir.Path("a.dat"), "--base", dir.Path("base.bin"), "--output",
                 dir.Path("c.bin")})
                .exit_status,
            0);
  const std::string based = ReadBytes(dir.Path("c.bin"));
  ASSERT_EQ(based.size(), kImageSize);
  for (std::size_t a : {0x0000, 0x0001, 0x005E, 0x005F, 0x0400, 0x4E80, 0x4E9F}) {
    EXPECT_EQ(based[a], '\xEE') << a;
  }
  EXPECT_EQ(Word(based, 0x0820), 89);
  EXPECT_EQ(ReadBytes(dir.Path("base.bin")), std::string(kImageSize, '\xEE'));
}

TEST_F(KestrelCliImage, RefusalsSayWhyAndWriteNothing) {
  WriteBytes(dir.Path("short.bin"), std::string(kImageSize - 1, '\0'));
  std::string text = ReadBytes(dir.Path("a.dat"));
  ReplaceLine(text, 41, " 256 ");      // channel 1, Step
  ReplaceLine(text, 12105, " 5000 ");  // ChargeTime
  WriteBytes(dir.Path("bad.dat"), text);
  const std::string x = dir.Path("x"),
                    too_short = "kestrel-cli: " + dir.Path("short.bin") +
                                ": an image is exactly 20128 bytes, this file has 20127\n";
  const struct {
    std::vector<std::string> args;
    std::string error;
  } refusals[]{
      {{"decode", dir.Path("short.bin"), "-o", x}, too_short},
      {{"encode", dir.Path("a.dat"), "--base", dir.Path("short.bin"), "-o", x}, too_short},
      {{"encode", dir.Path("bad.dat"), "-o", x},
       "kestrel-cli: " + dir.Path("bad.dat") +
           " cannot be encoded:\n"
           "  channel 000, Step: 256 does not fit a byte (0 to 255)\n"
           "  Factory Settings, ChargeTime: 5000 gives 300060 minutes, which does not fit a "
           "16-bit word (0 to 65535)\n"},
  };
  for (const auto& refusal : refusals) {
    const ProgramResult result = Cli(refusal.args);
    EXPECT_EQ(result.exit_status, 65) << refusal.args[1];
    EXPECT_EQ(result.out, "") << refusal.args[1];
    EXPECT_EQ(result.err, refusal.error);
    EXPECT_FALSE(std::filesystem::exists(x)) << refusal.args[1];
  }
}

}  // namespace
}  // namespace kestrel::testing
