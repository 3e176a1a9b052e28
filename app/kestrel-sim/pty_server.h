// Serves the simulated receiver on a pseudo-terminal in real time: what a program writes to the
// terminal's device reaches the simulator, its answers come back after their delays.
#pragma once

#include <expected>
#include <functional>
#include <optional>
#include <string>

#include "link/sim/receiver_simulator.h"

namespace kestrel::sim {

class PtyServer {
 public:
  explicit PtyServer(link::ReceiverSimulator& receiver) : receiver_(receiver) {}
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Creates the terminal in raw mode; the result is its device path or why it failed.
  std::expected<std::string, std::string> Open();

  // Serves until `stop_fd` becomes readable (a signal arrived). `on_step_end` runs after each
  // transfer step, that is whenever a program closes the device after using it.
  std::optional<std::string> Serve(int stop_fd, const std::function<void()>& on_step_end);

 private:
  link::ReceiverSimulator& receiver_;
  int master_ = -1;
  int slave_ = -1;  // held open so the terminal survives between a program's opens
  int watch_ = -1;  // inotify descriptor telling when a program closes the device
  std::string path_;
};

}  // namespace kestrel::sim
