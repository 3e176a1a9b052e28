#include "files/output_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>

#include "files/path_text.h"
#include "files/windows_names.h"
#include "support/platform.h"
#include "support/temp_files.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

// The disk calls of a save, as this program makes them: the test program's own fsync and rename
// stand in front of the C library's, note each call with the file's name, and pass it on.
namespace {
std::vector<std::string>* g_disk_calls = nullptr;
std::string NameOf(int fd) {
  return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)).filename();
}
}  // namespace
extern "C" int fsync(int fd) {
  if (g_disk_calls) g_disk_calls->push_back("fsync " + NameOf(fd));
  return static_cast<int>(syscall(SYS_fsync, fd));
}
extern "C" int rename(const char* from, const char* to) noexcept {
  if (g_disk_calls) {
    g_disk_calls->push_back("rename " + std::filesystem::path(from).filename().string() + " " +
                            std::filesystem::path(to).filename().string());
  }
  return renameat(AT_FDCWD, from, AT_FDCWD, to);
}
#endif

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using namespace testing;

std::string ErrorOf(const std::expected<void, std::string>& result) {
  return result ? "saved" : result.error();
}

// Whatever the path names, the save either puts the bytes where the path leads or says why, and
// never leaves a temporary file behind.
TEST(OutputFile, SavesThroughLinksIntoFilesAndInPlaceIntoDevicesOrSaysWhy) {
  KESTREL_SKIP_ON_WINDOWS("symbolic links, FIFOs, /dev/null and /dev/full");
#ifndef _WIN32
  TempFolder folder;
  const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  WriteAll(folder / "real", "old");
  fs::permissions(folder / "real", perms);
  fs::create_symlink("real", folder / "link");
  fs::create_symlink("created", folder / "dangling");
  WriteAll(folder / "victim", "victim");
  fs::create_symlink("victim", folder / "img.bin.part");  // where a predictable name would go
  fs::create_directory(folder / "dir");
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((folder / "read fifo").c_str(), 0600), 0);
  const int reader = open((folder / "read fifo").c_str(), O_RDONLY | O_NONBLOCK);
  const std::string longest(255, 'n');
  // The path saved to, what the save says, and where the bytes must be found afterwards.
  const std::tuple<fs::path, std::string, fs::path> saves[]{
      {folder / "new", "saved", folder / "new"},
      {folder / "link", "saved", folder / "real"},
      {folder / "dangling", "saved", folder / "created"},
      {folder / "img.bin", "saved", folder / "img.bin"},
      {folder / longest, "saved", folder / longest},
      {"/dev/null", "saved", {}},
      {"/dev/full", "No space left on device", {}},
      {folder / "fifo", "it is a FIFO that no program reads from", {}},
      {folder / "dir", "it is a folder", {}},
      {folder / "real" / "x", "Not a directory", {}},
      {folder / "none" / "x", "No such file or directory", {}}};
  for (const auto& [path, result, lands_in] : saves) {
    EXPECT_EQ(ErrorOf(SaveFile(path, "new")), result) << path;
    if (!lands_in.empty()) {
      EXPECT_EQ(ReadAll(lands_in), "new") << path;
    }
  }
  EXPECT_EQ(ErrorOf(SaveFile(folder / "read fifo", "through")), "saved");
  char received[16] = {};
  EXPECT_EQ(read(reader, received, sizeof received), 7);
  close(reader);

  EXPECT_EQ(fs::status(folder / "real").permissions(), perms);
  EXPECT_TRUE(fs::is_symlink(folder / "link") && fs::is_symlink(folder / "dangling"));
  EXPECT_EQ(ReadAll(folder / "victim"), "victim");
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  EXPECT_EQ(folder.Listing(), "created dangling dir fifo img.bin img.bin.part link new " + longest +
                                  " read fifo real victim");
#endif
}

// The new contents are on the disk before they replace the old, and the rename is made durable.
TEST(OutputFile, ASaveFlushesTheFileBeforeTheRenameAndTheFolderAfterIt) {
  KESTREL_SKIP_ON_WINDOWS("watches the C library's fsync and rename through /proc");
#ifndef _WIN32
  TempFolder folder;
  WriteAll(folder / "target", "old");
  std::vector<std::string> calls;
  g_disk_calls = &calls;
  const auto saved = SaveFile(folder / "target", "new");
  g_disk_calls = nullptr;
  ASSERT_TRUE(saved);
  ASSERT_EQ(calls.size(), 3u) << ::testing::PrintToString(calls);
  const std::string temporary = calls[0].substr(std::string("fsync ").size());
  EXPECT_EQ(calls[0], "fsync " + temporary);
  EXPECT_EQ(calls[1], "rename " + temporary + " target");
  EXPECT_EQ(calls[2], "fsync " + folder.path().filename().string());
#endif
}

// Outputs of one job: when one of them fails, none replaces its target.
TEST(OutputFile, OutputsCommittedTogetherReplaceAllOrNone) {
  KESTREL_SKIP_ON_WINDOWS("/dev/full stands for a full disk");
#ifndef _WIN32
  TempFolder folder;
  WriteAll(folder / "a", "old a");
  WriteAll(folder / "b", "old b");
  const auto open_all = [&](const fs::path& second) {
    auto a = OutputFile::Open(folder / "a");
    auto b = OutputFile::Open(second);
    EXPECT_TRUE(a && b);
    (void)a->Write("new a");
    (void)b->Write("new b");  // fails at once on /dev/full, and says so again when committed
    return std::pair{std::move(*a), std::move(*b)};
  };
  {
    auto [a, b] = open_all("/dev/full");
    OutputFile* both[]{&a, &b};
    EXPECT_EQ(CommitTogether(both).error(),
              "/dev/full: cannot be written: No space left on device");
    auto [c, d] = open_all(folder / "b");  // never committed
  }
  EXPECT_EQ(ReadAll(folder / "a"), "old a");
  EXPECT_EQ(ReadAll(folder / "b"), "old b");
  EXPECT_EQ(folder.Listing(), "a b");

  auto [a, b] = open_all(folder / "b");
  OutputFile* both[]{&a, &b};
  ASSERT_TRUE(CommitTogether(both));
  EXPECT_EQ(ReadAll(folder / "a") + ReadAll(folder / "b"), "new anew b");
  EXPECT_EQ(folder.Listing(), "a b");
#endif
}

#ifndef _WIN32
// Runs `body` in a child process, which `signal` ends once the body raises it; the status says
// whether it did.
::testing::AssertionResult EndedBy(int signal, const std::function<bool()>& body) {
  const pid_t child = fork();
  if (child < 0) return ::testing::AssertionFailure() << "fork failed";
  if (child == 0) {
    if (body()) raise(signal);
    _exit(0);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return ::testing::AssertionFailure() << "waitpid";
  if (WIFSIGNALED(status) && WTERMSIG(status) == signal) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "status " << status;
}
#endif

// The program is ended by a signal between writing the temporary file and putting it in place,
// or (killed) after getting its outputs ready and before it had their contents: the target stays
// as it was and no file is left, as getting ready makes none.
TEST(OutputFile, ASignalDuringASaveLeavesTheTargetAndNoTemporaryFile) {
  KESTREL_SKIP_ON_WINDOWS("fork, and a signal that ends the child");
#ifndef _WIN32
  for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    if (current.sa_handler == SIG_IGN) continue;  // started ignoring it: nothing to clean up
    TempFolder folder;
    WriteAll(folder / "target", "old");
    EXPECT_TRUE(EndedBy(signal, [&] {
      auto output = OutputFile::Open(folder / "target");
      if (signal == SIGKILL) return output && OutputFile::Open(folder / "new");
      return output && output->Write("new") && output->Finish();
    })) << signal;
    EXPECT_EQ(folder.Listing(), "target") << signal;
    EXPECT_EQ(ReadAll(folder / "target"), "old") << signal;
  }
  EXPECT_EQ(OutputFile::Open("/nonexistent/missing/x").error(), "No such file or directory");
#endif
}

// What Windows does not let a save replace, and its null device; on other systems these are
// ordinary files that a save replaces or creates.
TEST(OutputFile, OnWindowsAHeldOpenOrReadOnlyFileOrADeviceNameIsRefusedAndLosesNothing) {
  TempFolder folder;
  WriteAll(folder / "held.dat", "old");
  WriteAll(folder / "locked.dat", "old");
  fs::permissions(folder / "locked.dat", fs::perms::owner_read);
  std::ifstream held(folder / "held.dat");  // opened as any program opens it
  const auto refused_on_windows = [](const std::string& reason) {
    return kWindows ? reason : "saved";
  };
  const std::pair<std::string, std::string> saves[]{
      {"held.dat",
       refused_on_windows("another program has it open: close it there and save again")},
      {"locked.dat", refused_on_windows("it is read-only")},
      {"CON", refused_on_windows("Windows keeps the name CON for a device: choose another name")},
      {"com1", refused_on_windows("Windows keeps the name COM1 for a device: choose another name")},
      {"aux.dat",
       refused_on_windows("Windows keeps the name AUX for a device: choose another name")},
      {"NUL", "saved"}};
  for (const auto& [name, result] : saves) {
    EXPECT_EQ(ErrorOf(SaveFile(folder / name, "new")), result) << name;
  }
  held.close();
  fs::permissions(folder / "locked.dat", fs::perms::owner_all);
  const std::string kept = kWindows ? "old" : "new";
  EXPECT_EQ(ReadAll(folder / "held.dat") + ReadAll(folder / "locked.dat"), kept + kept);
  EXPECT_EQ(folder.Listing(),
            kWindows ? "held.dat locked.dat" : "CON NUL aux.dat com1 held.dat locked.dat");

  // The names themselves, as Windows reads them.
  const std::pair<std::string, std::optional<std::string>> names[]{
      {"con", "CON"},          {"Con.txt", "CON"},
      {"aux.dat", "AUX"},      {"nul ", "NUL"},
      {"prn.a.b", "PRN"},      {"COM9", "COM9"},
      {"lpt1.x", "LPT1"},      {"COM10", std::nullopt},
      {"COM0", std::nullopt},  {"console", std::nullopt},
      {"a.con", std::nullopt}, {"ÄUX", std::nullopt}};
  for (const auto& [name, expected] : names) {
    EXPECT_EQ(WindowsDeviceName(PathFromUtf8(name)), expected) << name;
  }
}

}  // namespace
}  // namespace kestrel
