// Command-line options of kestrel-sim.
#pragma once

#include <expected>
#include <optional>
#include <span>
#include <string>

#include "link/sim/receiver_simulator.h"

namespace kestrel::sim {

struct Options {
  link::SimulatorOptions receiver;
  std::optional<int> region;        // byte 0x005E
  std::optional<int> check_switch;  // byte 0x005F
  std::string image;                // start from this 20128-byte file
  std::string save;                 // write the memory here after every transfer step
  bool log = false;
  bool help = false;
};

// Parses the arguments; the error says which one is wrong and why.
std::expected<Options, std::string> ParseOptions(std::span<const std::string> args);

extern const char kUsage[];

}  // namespace kestrel::sim
