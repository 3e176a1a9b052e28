#include <gtest/gtest.h>

#include <filesystem>

#include "files/data_file.h"
#include "model/defaults.h"
#include "support/data_file_lines.h"
#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

constexpr std::size_t kImageSize = 20128;

// new, encode and decode: the subcommands that read and write data files and images.
struct KestrelCliFiles : ::testing::Test {
  void SetUp() override { ASSERT_EQ(Cli({"new", "-o", dir.Path("a.dat")}).exit_status, 0); }
  TempFolder dir;
};

// new writes the default file, "-" is standard output (the summary then goes to standard error),
// and what decode gives back encodes to the same bytes.
TEST_F(KestrelCliFiles, NewEncodeAndDecodeWriteFilesOrStandardOutput) {
  const std::string bytes = ReadAll(dir.Path("a.dat"));
  EXPECT_TRUE(bytes == FormatDataFile(NewConfiguration()));
  WriteAll(dir.Path("b.dat"), "old");
  ASSERT_EQ(Cli({"new", "--output", dir.Path("b.dat")}).exit_status, 0);
  EXPECT_EQ(ReadAll(dir.Path("b.dat")), bytes);
  EXPECT_TRUE(Cli({"new", "-o", "-"}).out == bytes);

  const ProgramResult encoded = Cli({"encode", dir.Path("a.dat"), "-o", dir.Path("a.bin")});
  ASSERT_EQ(encoded.exit_status, 0) << encoded.err;
  EXPECT_EQ(encoded.out, dir.Path("a.bin") + ": 89 programmed channels\n");
  const std::string image = ReadAll(dir.Path("a.bin"));
  ASSERT_EQ(image.size(), kImageSize);
  EXPECT_EQ(image[0x0400], '\0');  // no base: zeros
  const ProgramResult decoded = Cli({"decode", dir.Path("a.bin"), "-o", dir.Path("b.dat")});
  ASSERT_EQ(decoded.exit_status, 0) << decoded.err;
  EXPECT_EQ(decoded.out, dir.Path("b.dat") + ": 89 programmed channels\n");
  const ProgramResult to_stdout = Cli({"decode", dir.Path("a.bin"), "-o", "-"});
  EXPECT_TRUE(to_stdout.out == ReadAll(dir.Path("b.dat")));
  EXPECT_EQ(to_stdout.err, "-: 89 programmed channels\n");
  ASSERT_EQ(Cli({"encode", dir.Path("b.dat"), "-o", dir.Path("b.bin")}).exit_status, 0);
  EXPECT_EQ(ReadAll(dir.Path("b.bin")), image);

  // With a base image, every byte outside the encoder's areas comes from it.
  const std::string base(kImageSize, '\xEE');
  WriteAll(dir.Path("base.bin"), base);
  ASSERT_EQ(Cli({"encode", dir.Path("a.dat"), "--base", dir.Path("base.bin"), "--output",
                 dir.Path("c.bin")})
                .exit_status,
            0);
  const std::string based = ReadAll(dir.Path("c.bin"));
  ASSERT_EQ(based.size(), kImageSize);
  for (std::size_t a : {0x0000, 0x0001, 0x005E, 0x005F, 0x0400, 0x4E80, 0x4E9F}) {
    EXPECT_EQ(based[a], '\xEE') << a;
  }
  EXPECT_EQ(ReadAll(dir.Path("base.bin")), base);
}

TEST_F(KestrelCliFiles, RefusalsNameTheFileAndTheReasonAndWriteNothing) {
  // What every subcommand does with a file it cannot read is in the exit status table; here what
  // is particular to one.
  WriteAll(dir.Path("big.dat"), WithLines(ReadAll(dir.Path("a.dat")),
                                          {{ChannelLine(1, 4), " 256 "}, {12105, " 5000 "}}));
  WriteAll(dir.Path("short.bin"), std::string(kImageSize - 1, '\0'));
  const std::string x = dir.Path("x");
  const std::pair<std::vector<std::string>, std::string> refusals[]{
      {{"encode", dir.Path("a.dat"), "--base", dir.Path("short.bin"), "-o", x},
       "kestrel-cli: " + dir.Path("short.bin") +
           ": an image is exactly 20128 bytes, this file has 20127\n"},
      // Every problem on a line of its own; what they say is the encoder's.
      {{"encode", dir.Path("big.dat"), "-o", x},
       "kestrel-cli: " + dir.Path("big.dat") +
           " cannot be encoded:\n  channel 000, STEP: 256 does not fit a byte (0 to 255)\n  "
           "Factory Settings, ChargeTime: 5000"},
      // Refused before the receiver is read, so the data file is not written either.
      {{"read", "--port", "sim", "-o", x, "--image-out", dir.Path("a.dat") + "/x.bin"},
       "kestrel-cli: " + dir.Path("a.dat") + "/x.bin: cannot be written: Not a directory\n"}};
  for (const auto& [args, error] : refusals) {
    const std::string label = ::testing::PrintToString(args);
    const ProgramResult result = Cli(args);
    EXPECT_EQ(result.exit_status, 65) << label;
    EXPECT_EQ(result.out, "") << label;
    EXPECT_EQ(result.err.substr(0, error.size()), error) << label;
    EXPECT_FALSE(std::filesystem::exists(x)) << label;
  }
}

}  // namespace
}  // namespace kestrel::testing
