// kestrel-cli read and program: against the receiver it simulates in its own process (--port sim)
// on virtual time, and in real time against kestrel-sim on a pseudo-terminal (--port DEVICE).
#include <fcntl.h>
#include <gmock/gmock.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "support/data_file_lines.h"
#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

using ::testing::HasSubstr;

// kestrel-cli with its simulated receiver on virtual time: a full transfer takes milliseconds and
// every time in a wire trace is exact.
struct CliLink : ::testing::Test {
  static void SetUpTestSuite() { setenv("KESTREL_SIM_CLOCK", "virtual", 1); }
  // The default configuration with channel 801 (shown as 800) moved to `hz`.
  std::string DefaultFileWith(const std::string& hz) {
    const std::string path = dir.Path(hz + ".dat");
    EXPECT_EQ(Cli({"new", "-o", path}).exit_status, 0);
    WriteAll(path, WithLines(ReadAll(path), {{ChannelLine(801, 1), hz}}));
    return path;
  }
  TempFolder dir;
};

TEST_F(CliLink, ReadWritesTheFileAndTheImageAndTracesEveryByteOnTime) {
  const ProgramResult read = Cli({"read", "--port", "sim", "-o", dir.Path("a.dat"), "--image-out",
                                  dir.Path("a.bin"), "--trace", dir.Path("trace.txt")});
  ASSERT_EQ(read.exit_status, 0) << read.err;
  EXPECT_EQ(read.out, "Completed reading out.\n");
  EXPECT_NE(read.err.find("Reading data.\n"), std::string::npos) << read.err;
  EXPECT_NE(read.err.find("100% (121/121)"), std::string::npos) << read.err;
  EXPECT_EQ(ReadAll(dir.Path("a.bin")).size(), 20128u);
  EXPECT_EQ(Cli({"check", dir.Path("a.dat")}).out, "version: 1.03\nprogrammed channels: 89\n");
  // On virtual time the trace keeps the exact pace: the port closed after the 212th command.
  const std::string trace = ReadAll(dir.Path("trace.txt"));
  EXPECT_TRUE(trace.ends_with("    8480 - RTS off\n    8480 - close\n")) << trace;
}

TEST_F(CliLink, RefusesBadArgumentsAndFilesBeforeOpeningAPort) {
  const std::string good = DefaultFileWith("6030000");
  const std::pair<std::vector<std::string>, int> rows[] = {
      {{"read", "--port", "9", "-o", dir.Path("x.dat")}, 64},
      {{"read", "--port", "sim"}, 64},
      {{"program", "--port", "sim", dir.Path("none.dat")}, 65},
      {{"program", "--port", "sim", good, "--count", "0"}, 64},
      {{"program", "--port", "sim", "--port", "sim", good}, 64},
      {{"read", "--port", "sim", "-o", dir.Path("x.dat"), "--trace", dir.Path("no/t.txt")}, 65}};
  for (const auto& [args, status] : rows) {
    EXPECT_EQ(Cli(args).exit_status, status) << ::testing::PrintToString(args);
  }
  EXPECT_EQ(dir.Listing(), "6030000.dat");
}

// A failed transfer gives the result code as exit status and the message on stderr; a read keeps
// the old output file, and a refused frequency stops programming before any write.
TEST_F(CliLink, FailuresGiveTheResultCodeAndWriteNothing) {
  WriteAll(dir.Path("old.dat"), "old");
  const std::tuple<std::vector<std::string>, int, std::string> rows[] = {
      {{"read", "--port", "/dev/no-such-kestrel-port", "-o", dir.Path("old.dat")},
       1,
       "kestrel-cli: There is problem with the communication port.\nUnable to transfer data.\n"},
      {{"program", "--port", "sim", DefaultFileWith("255000000"), "--trace", dir.Path("trace.txt")},
       4,
       "kestrel-cli: The frequency that you set cannot be \nprogrammed.\n"}};
  for (const auto& [args, status, message] : rows) {
    const ProgramResult result = Cli(args);
    EXPECT_EQ(result.exit_status, status) << result.err;
    EXPECT_THAT(result.err, HasSubstr(message));
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(ReadAll(dir.Path("old.dat")), "old");
  EXPECT_EQ(ReadAll(dir.Path("trace.txt")).find("> 01 31 33"), std::string::npos);
}

// One port after another with --count, or several ports at once with a line for each; which
// receivers fail and why is the link's, so here a port that does not exist stands for one.
TEST_F(CliLink, ProgramsOneReceiverAfterAnotherOrSeveralAtOnce) {
  const std::string file = DefaultFileWith("6030000");
  const ProgramResult program =
      Cli({"program", "--port", "sim", file, "--count", "2", "--verify"}, "\n");
  EXPECT_EQ(program.exit_status, 0) << program.err;
  EXPECT_EQ(program.out, "Completed writing. Verified\nCompleted writing. Verified\n");
  for (const char* text : {"Writing data.\n", "100% (1008/1008)", "Verifying data.\n",
                           "Connect receiver 2 of 2 and press Enter.\n"}) {
    EXPECT_THAT(program.err, HasSubstr(text));
  }

  const ProgramResult several = Cli(
      {"program", "--port", "sim", "--port", "/dev/kestrel-no-such-port", "--port", "sim2", file});
  EXPECT_EQ(several.exit_status, 1) << several.err;
  EXPECT_THAT(several.out, ::testing::MatchesRegex("sim: done\n"
                                                   "kestrel-no-such-port: failed: There is problem "
                                                   "with the communication port\\. [^\n]*\n"
                                                   "sim2: done\n"));
  EXPECT_THAT(several.err, HasSubstr("sim2: 100% (1008/1008)"));
}

// Write Changes from a kept read, and from what a write kept; both refuse anything but one port
// and an image that looks read.
TEST_F(CliLink, ProgramWritesOnlyWhatTheReceiverDoesNotHold) {
  const std::string read = dir.Path("read.bin"), kept = dir.Path("kept.bin");
  ASSERT_EQ(
      Cli({"read", "--port", "sim", "-o", dir.Path("r.dat"), "--image-out", read}).exit_status, 0);
  const std::string edited = DefaultFileWith("6035000");
  const ProgramResult changes =
      Cli({"program", "--port", "sim", edited, "--changes-from", read, "--image-out", kept});
  EXPECT_EQ(changes.exit_status, 0) << changes.err;
  EXPECT_EQ(changes.out, "Completed writing.\n");
  // The five bytes every write sends and the slot of channel 800.
  EXPECT_THAT(changes.err, HasSubstr("\n6 of 1076 commands were sent.\n"));
  // What the write kept knows the new slot, so nothing is left to write.
  const ProgramResult again = Cli({"program", "--port", "sim", edited, "--changes-from", kept});
  EXPECT_EQ(again.exit_status, 0) << again.err;
  EXPECT_EQ(again.out, "Nothing to write: the receiver holds this configuration.\n");

  std::string written = ReadAll(read);
  written[0x0000] = '\x01';  // a byte no read fetches
  WriteAll(dir.Path("written.bin"), written);
  const std::pair<std::vector<std::string>, int> rows[] = {
      {{"program", "--port", "sim", edited, "--changes-from", dir.Path("written.bin")}, 65},
      {{"program", "--port", "sim", edited, "--changes-from", read, "--count", "1"}, 64},
      {{"program", "--port", "sim", "--port", "sim2", edited, "--image-out", kept}, 64}};
  for (const auto& [args, status] : rows) {
    EXPECT_EQ(Cli(args).exit_status, status) << ::testing::PrintToString(args);
  }
}

// SIGINT or SIGTERM while kestrel-sim is being read or written: the transfer stops after the
// command under way, and the old output file stays as it was.
TEST(CliLinkOverAPseudoTerminal, SignalsCancelAReadAndAWrite) {
  TempFolder dir;
  const std::string old = dir.Path("old.dat");
  WriteAll(old, "old");
  ASSERT_EQ(Cli({"new", "-o", dir.Path("new.dat")}).exit_status, 0);
  // The arguments, what the simulator logs once the transfer is under way, the signal, and the
  // exit status and message it brings.
  const std::tuple<std::vector<std::string>, std::string, int, int, std::string> rows[] = {
      {{"read", "-o", old}, "14 0300", SIGINT, 130, "Reading cancelled. Nothing was changed."},
      {{"program", dir.Path("new.dat")},
       "13 0300",
       SIGTERM,
       143,
       "Writing cancelled. The receiver holds a partly written configuration; write it again."}};
  for (const auto& [transfer, under_way, signal, status, message] : rows) {
    SimProcess sim({"--log"});
    std::vector<std::string> args = transfer;
    args.insert(args.end(), {"--port", sim.device()});
    BackgroundProgram cli("kestrel-cli", args);
    ASSERT_TRUE(sim.WaitForOutput(under_way, 10)) << sim.output();
    const auto served = std::ranges::count(sim.output(), '\n');
    cli.Signal(signal);
    const ProgramResult result = cli.Wait();
    EXPECT_EQ(result.exit_status, status) << result.err;
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    // The command under way when the signal came may still be served; nothing after it.
    EXPECT_LE(std::ranges::count(sim.output(), '\n'), served + 1) << sim.output();
  }
  EXPECT_EQ(ReadAll(old), "old");
  EXPECT_EQ(dir.Listing(), "new.dat old.dat");
}

// A device the user may not open: the group that owns it and the command that lets the user in.
// Permissions do not stop root, so as root the tool runs as nobody.
TEST(CliLinkOverAPseudoTerminal, APortTheUserMayNotOpenNamesTheGroupToJoin) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
  const std::string device = ptsname(master);
  struct stat info {};
  ASSERT_EQ(stat(device.c_str(), &info), 0);
  const group* owner = getgrgid(info.st_gid);
  std::string group = owner ? owner->gr_name : std::to_string(info.st_gid);
  // Where ptys belong to root, as in some containers, one of the serial ports' groups is given.
  const struct group* dialout = getgrnam("dialout");
  if (geteuid() == 0 && dialout && chown(device.c_str(), 0, dialout->gr_gid) == 0) {
    group = "dialout";
  }
  const std::vector<std::string> read = {"read", "--port", device, "-o", "-"};
  ProgramResult result;
  if (geteuid() == 0) {
    if (access("/usr/bin/setpriv", X_OK) != 0) {
      close(master);
      GTEST_SKIP() << "running as root without setpriv to run kestrel-cli as nobody";
    }
    std::vector<std::string> args = {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                     ProgramPath("kestrel-cli")};
    args.insert(args.end(), read.begin(), read.end());
    result = RunProgram("/usr/bin/setpriv", args);
  } else {
    ASSERT_EQ(chmod(device.c_str(), 0), 0);
    result = Cli(read);
  }
  close(master);
  EXPECT_EQ(result.exit_status, 1) << result.err;
  EXPECT_THAT(result.err, HasSubstr("Unable to transfer data.\nPermission to use the serial port " +
                                    device + " was denied.\nYou may not use " + device));
  if (geteuid() == 0 && group != "root") {
    EXPECT_THAT(result.err, HasSubstr(": it belongs to the group " + group +
                                      ", which you are not in.\nTo fix it: sudo usermod -aG " +
                                      group + " $USER, then log out and in again.\n"));
  }
}

}  // namespace
}  // namespace kestrel::testing
