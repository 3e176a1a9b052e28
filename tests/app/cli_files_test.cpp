#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "run_program.h"

namespace kestrel::testing {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Offset just after line `count` of a CR LF text.
std::size_t AfterLine(const std::string& text, int count) {
  std::size_t pos = 0;
  for (int i = 0; i < count; ++i) pos = text.find("\r\n", pos) + 2;
  return pos;
}

TEST(KestrelCliFiles, NewThenCheck) {
  TempDir dir;
  const ProgramResult made = RunProgram("kestrel-cli", {"new", "-o", dir.Path("new.dat")});
  ASSERT_EQ(made.exit_status, 0) << made.err;
  const std::string bytes = ReadBytes(dir.Path("new.dat"));
  EXPECT_EQ(bytes.substr(0, 13), "1.03\r\n 0 \r\n 2");
  EXPECT_EQ(AfterLine(bytes, 12118), bytes.size());

  const ProgramResult checked = RunProgram("kestrel-cli", {"check", dir.Path("new.dat")});
  EXPECT_EQ(checked.exit_status, 0) << checked.err;
  EXPECT_EQ(checked.out, "version: 1.03\nprogrammed channels: 89\n");

  // The long option, and a file that replaces an existing one.
  EXPECT_EQ(RunProgram("kestrel-cli", {"new", "--output", dir.Path("new.dat")}).exit_status, 0);
  EXPECT_EQ(ReadBytes(dir.Path("new.dat")), bytes);
}

TEST(KestrelCliFiles, DamagedFilesExit65WithTheLine) {
  TempDir dir;
  ASSERT_EQ(RunProgram("kestrel-cli", {"new", "-o", dir.Path("a.dat")}).exit_status, 0);
  const std::string bytes = ReadBytes(dir.Path("a.dat"));

  WriteBytes(dir.Path("cut.dat"), bytes.substr(0, AfterLine(bytes, 6030)));
  ProgramResult checked = RunProgram("kestrel-cli", {"check", dir.Path("cut.dat")});
  EXPECT_EQ(checked.exit_status, 65);
  EXPECT_EQ(checked.out, "");
  EXPECT_EQ(checked.err, "kestrel-cli: " + dir.Path("cut.dat") +
                             ", line 6031: the file ends early (channel 500 TsqTone expected)\n");

  std::string bad = bytes;
  bad.replace(AfterLine(bytes, 39), 3, "abc");  // line 40, channel 1 Mode
  WriteBytes(dir.Path("bad.dat"), bad);
  checked = RunProgram("kestrel-cli", {"check", dir.Path("bad.dat")});
  EXPECT_EQ(checked.exit_status, 65);
  EXPECT_NE(checked.err.find("line 40: \"abc\" is not a whole number"), std::string::npos)
      << checked.err;

  checked = RunProgram("kestrel-cli", {"check", dir.Path("missing.dat")});
  EXPECT_EQ(checked.exit_status, 65);
  EXPECT_NE(checked.err.find("missing.dat: cannot be read: "), std::string::npos) << checked.err;

  const ProgramResult unwritable =
      RunProgram("kestrel-cli", {"new", "-o", dir.Path("no/such/folder.dat")});
  EXPECT_EQ(unwritable.exit_status, 65);
  EXPECT_NE(unwritable.err.find("cannot be written: "), std::string::npos) << unwritable.err;
}

TEST(KestrelCliFiles, UsageAndHelp) {
  for (const std::string command : {"new", "check"}) {
    const ProgramResult help = RunProgram("kestrel-cli", {command, "--help"});
    EXPECT_EQ(help.exit_status, 0) << command;
    EXPECT_EQ(help.out.find("usage: kestrel-cli " + command), 0u) << help.out;
  }
  const std::vector<std::vector<std::string>> mistakes{{"new"},
                                                       {"new", "-o"},
                                                       {"new", "-o", "a.dat", "extra"},
                                                       {"new", "--frob"},
                                                       {"check"},
                                                       {"check", "a.dat", "b.dat"},
                                                       {"check", "-x", "a.dat"}};
  for (const auto& args : mistakes) {
    const ProgramResult result = RunProgram("kestrel-cli", args);
    EXPECT_EQ(result.exit_status, 64) << args.size();
    EXPECT_NE(result.err.find("usage: kestrel-cli " + args[0]), std::string::npos) << result.err;
  }
  const ProgramResult tool = RunProgram("kestrel-cli", {"--help"});
  EXPECT_NE(tool.out.find("new -o FILE.dat"), std::string::npos);
  EXPECT_NE(tool.out.find("check FILE.dat"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::testing
