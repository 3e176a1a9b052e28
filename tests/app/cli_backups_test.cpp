// kestrel-cli read keeps every successful read as a backup, and kestrel-cli backups lists them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <regex>

#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

using ::testing::HasSubstr;

// The user's data folder is one of the test's own.
struct CliBackups : ::testing::Test {
  CliBackups() {
    setenv("KESTREL_SIM_CLOCK", "virtual", 1);
    if (const char* data = getenv("XDG_DATA_HOME")) kept_data_home = data;
    setenv("XDG_DATA_HOME", home.Path("data").c_str(), 1);
  }
  ~CliBackups() override { setenv("XDG_DATA_HOME", kept_data_home.c_str(), 1); }
  std::string Backups() const { return home.Path("data/kestrel/backups"); }

  TempFolder home;
  TempFolder dir;
  std::string kept_data_home;
};

TEST_F(CliBackups, EveryReadIsKeptUnlessToldAndAFailedBackupIsOnlyAWarning) {
  WriteAll(home / "file", "x");
  const std::tuple<std::vector<std::string>, std::string, std::string> reads[] = {
      // arguments after read, the data folder, a warning
      {{"--port", "sim"}, "data", ""},
      {{"--port", "sim2", "--no-backup"}, "data", ""},
      {{"--port", "sim", "--no-backup"}, "file", ""},
      {{"--port", "sim"},
       "file",
       "kestrel-cli: warning: the read was not kept as a backup: " + home.Path("file") +
           "/kestrel/backups: cannot be created: Not a directory\n"},
      {{"--port", "sim2"}, "data", ""},
  };
  int n = 0;
  for (const auto& [options, data, warning] : reads) {
    setenv("XDG_DATA_HOME", home.Path(data).c_str(), 1);
    std::vector<std::string> args{"read", "-o", dir.Path(std::to_string(++n) + ".dat")};
    args.insert(args.end(), options.begin(), options.end());
    const ProgramResult read = Cli(args);
    EXPECT_EQ(read.exit_status, 0) << read.err;
    EXPECT_EQ(read.out, "Completed reading out.\n");
    EXPECT_THAT(read.err, HasSubstr(warning.empty() ? "100% (121/121)" : warning));
    if (warning.empty()) {
      EXPECT_THAT(read.err, ::testing::Not(HasSubstr("warning"))) << n;
    }
  }
  setenv("XDG_DATA_HOME", home.Path("data").c_str(), 1);

  // Newest first: when, port, channels in use, the data file; the listing's rules are the files
  // layer's.
  const ProgramResult listed = Cli({"backups"});
  EXPECT_EQ(listed.exit_status, 0) << listed.err;
  const std::regex line(
      R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d  (sim2?)  89 channels in use  (/.*)\.dat)");
  std::vector<std::smatch> lines;
  const std::string out = listed.out;
  for (auto it = std::sregex_iterator(out.begin(), out.end(), line); it != std::sregex_iterator();
       ++it) {
    lines.push_back(*it);
  }
  ASSERT_EQ(lines.size(), 2u) << out;
  EXPECT_EQ(lines[0][1].str() + " " + lines[1][1].str(), "sim2 sim");
  EXPECT_TRUE(lines[1][2].str().starts_with(Backups() + "/read-")) << out;
  EXPECT_EQ(ReadAll(lines[1][2].str() + ".dat"), ReadAll(dir.Path("1.dat")));

  // A backup's image stands for the receiver it was read from, and compares as a configuration.
  const std::string image = lines[1][2].str() + ".bin";
  const ProgramResult changes =
      Cli({"program", "--port", "sim", dir.Path("1.dat"), "--changes-from", image});
  EXPECT_EQ(changes.exit_status, 0) << changes.err;
  EXPECT_EQ(Cli({"diff", dir.Path("1.dat"), image}).exit_status, 0);

  setenv("XDG_DATA_HOME", home.Path("none").c_str(), 1);
  const ProgramResult none = Cli({"backups"});
  EXPECT_EQ(none.exit_status, 0);
  EXPECT_EQ(none.out, "");
  EXPECT_THAT(none.err, HasSubstr("no backups in " + home.Path("none/kestrel/backups")));
  EXPECT_EQ(Cli({"backups", "extra"}).exit_status, 64);
}

}  // namespace
}  // namespace kestrel::testing
