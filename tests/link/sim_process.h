// Runs kestrel-sim in the background for a test: starts it, reads the device path it prints
// first, and ends it with SIGTERM.
#pragma once

#include <string>
#include <vector>

namespace kestrel::link::testing {

class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // The pseudo-terminal's path, "" when the program did not start.
  const std::string& device() const { return device_; }
  // Sends SIGTERM and waits; the exit status, and what it printed after the path.
  int Stop();
  // Waits for a program that ends by itself (help, bad usage); its exit status.
  int Wait();
  const std::string& output() const { return output_; }

 private:
  int pid_ = -1;
  int out_ = -1;
  int status_ = -1;
  std::string device_;
  std::string output_;
};

std::string SimPath();

}  // namespace kestrel::link::testing
