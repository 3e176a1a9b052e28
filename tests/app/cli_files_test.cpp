#include <gtest/gtest.h>

#include "run_program.h"

namespace kestrel::testing {
namespace {

// Offset just after line `count` of a CR LF text.
std::size_t AfterLine(const std::string& text, int count) {
  std::size_t pos = 0;
  for (int i = 0; i < count; ++i) pos = text.find("\r\n", pos) + 2;
  return pos;
}

TEST(KestrelCliFiles, NewWritesTheDefaultFileAndCheckSummarisesOrNamesTheBadLine) {
  TempDir dir;
  ASSERT_EQ(RunProgram("kestrel-cli", {"new", "-o", dir.Path("new.dat")}).exit_status, 0);
  const std::string bytes = ReadBytes(dir.Path("new.dat"));
  EXPECT_EQ(bytes.substr(0, 13), "1.03\r\n 0 \r\n 2");
  EXPECT_EQ(AfterLine(bytes, 12118), bytes.size());
  // The long option replaces an existing file with the same bytes.
  ASSERT_EQ(RunProgram("kestrel-cli", {"new", "--output", dir.Path("new.dat")}).exit_status, 0);
  EXPECT_EQ(ReadBytes(dir.Path("new.dat")), bytes);

  const ProgramResult checked = RunProgram("kestrel-cli", {"check", dir.Path("new.dat")});
  EXPECT_EQ(checked.exit_status, 0) << checked.err;
  EXPECT_EQ(checked.out, "version: 1.03\nprogrammed channels: 89\n");

  std::string bad = bytes;
  bad.replace(AfterLine(bytes, 39), 3, "abc");  // line 40, channel 1 Mode
  const struct {
    std::string name, bytes, error;
  } damaged[]{
      {"cut.dat", bytes.substr(0, AfterLine(bytes, 6030)),
       ", line 6031: the file ends early (channel 500 TsqTone expected)\n"},
      {"bad.dat", bad, ", line 40: \"abc\" is not a whole number"},
  };
  for (const auto& file : damaged) {
    WriteBytes(dir.Path(file.name), file.bytes);
    const ProgramResult result = RunProgram("kestrel-cli", {"check", dir.Path(file.name)});
    EXPECT_EQ(result.exit_status, 65) << file.name;
    EXPECT_EQ(result.out, "") << file.name;
    EXPECT_EQ(result.err.find("kestrel-cli: " + dir.Path(file.name) + file.error), 0u)
        << result.err;
  }
}

}  // namespace
}  // namespace kestrel::testing
