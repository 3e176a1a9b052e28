// The project's programs run as a script or a user would: one to its end with what it printed,
// or kestrel-sim in the background for as long as a test needs a receiver on a pseudo-terminal.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kestrel::testing {

class TempFolder;

struct ProgramResult {
  int exit_status = -1;  // 128 + the signal's number when a signal ended it
  std::string out;       // standard output
  std::string err;       // standard error
  double cpu_seconds = 0;
};

// Path of a program of this build ("kestrel", "kestrel-cli", "kestrel-sim"); an absolute path
// stays as it is.
std::string ProgramPath(const std::string& name);

// Runs `program` with `args`, feeding `input` to its standard input, and waits for it.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = {});
// The same for kestrel-cli.
ProgramResult Cli(const std::vector<std::string>& args, const std::string& input = {});

// A program started in the background, for a test that signals it while it runs. Standard
// input, output and error are files of its own, as for RunProgram.
class BackgroundProgram {
 public:
  BackgroundProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::string& input = {});
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  void Signal(int signal) const;
  // Waits for it to end; what it printed and its exit status.
  ProgramResult Wait();

 private:
  std::unique_ptr<TempFolder> io_;
  pid_t pid_ = -1;
  ProgramResult result_;
};

// kestrel-sim in the background; it prints the device path of its pseudo-terminal as its first
// line and serves until SIGTERM ends it.
class SimProcess {
 public:
  // Starts it and waits up to five seconds for its first line.
  explicit SimProcess(const std::vector<std::string>& args);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // The first line it printed: the device path, or the usage for --help; "" when it printed
  // none in time.
  const std::string& device() const { return device_; }
  // Ends it with SIGTERM; its exit status.
  int Stop();
  // Waits until it ends by itself; its exit status.
  int Wait();
  // What it printed after the first line: all of it once it has ended.
  std::string output() const;
  // Waits until what it printed after the first line holds `text`; false after `seconds`.
  bool WaitForOutput(const std::string& text, int seconds);
  double cpu_seconds() const { return cpu_seconds_; }

 private:
  void Drain(int fd);

  pid_t pid_ = -1;
  int exit_status_ = -1;
  double cpu_seconds_ = 0;
  std::string device_;
  // Its standard output, taken in as it comes so that a chatty simulator never blocks on a full
  // pipe.
  mutable std::mutex mutex_;
  std::condition_variable printed_more_;
  std::string printed_;
  bool ended_ = false;
  std::thread reader_;
};

}  // namespace kestrel::testing
