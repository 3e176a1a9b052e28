// kestrel-sim: a simulated Kestrel receiver on a pseudo-terminal, so that the tool, kestrel-cli
// and the tests can read and program "a receiver" through the real serial backend.
#include <signal.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "files/image_file.h"
#include "files/path_text.h"
#include "link/sim/default_memory.h"
#include "options.h"
#include "pty_server.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 64;
constexpr int kExitData = 65;

int stop_pipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 0;
  [[maybe_unused]] const ssize_t ignored = write(stop_pipe[1], &byte, 1);
}

bool InstallStopHandlers() {
  if (pipe(stop_pipe) != 0) return false;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kestrel;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto options = sim::ParseOptions(args);
  if (!options) {
    std::cerr << "kestrel-sim: " << options.error() << "\n" << sim::kUsage;
    return kExitUsage;
  }
  if (options->help) {
    std::cout << sim::kUsage;
    return kExitOk;
  }

  link::ReceiverSimulator receiver(options->receiver);
  if (!options->image.empty()) {
    auto image = LoadImageFile(PathFromUtf8(options->image));
    if (!image) {
      std::cerr << "kestrel-sim: " << image.error() << "\n";
      return kExitData;
    }
    receiver.memory() = *image;
  } else {
    receiver.memory() = link::DefaultReceiverMemory();
  }
  if (options->region) receiver.SetRegionCode(static_cast<std::uint8_t>(*options->region));
  if (options->check_switch)
    receiver.SetCheckSwitch(static_cast<std::uint8_t>(*options->check_switch));
  if (options->log) {
    receiver.SetLog([](const std::string& line) { std::cout << line << std::endl; });
  }

  if (!InstallStopHandlers()) {
    std::cerr << "kestrel-sim: cannot install the signal handlers\n";
    return kExitFailure;
  }
  sim::PtyServer server(receiver);
  const auto path = server.Open();
  if (!path) {
    std::cerr << "kestrel-sim: " << path.error() << "\n";
    return kExitFailure;
  }
  std::cout << *path << std::endl;

  bool save_failed = false;
  const auto save = [&] {
    if (options->save.empty()) return;
    if (auto saved = SaveImageFile(PathFromUtf8(options->save), receiver.memory()); !saved) {
      std::cerr << "kestrel-sim: " << saved.error() << "\n";
      save_failed = true;
    }
  };
  const auto failure = server.Serve(stop_pipe[0], save);
  save();
  if (failure) {
    std::cerr << "kestrel-sim: " << *failure << "\n";
    return kExitFailure;
  }
  return save_failed ? kExitData : kExitOk;
}
