// How honest the time left is: a whole job run against the simulated receiver on the virtual
// clock, every figure shown kept with the moment it was shown, and at a tenth, half and nine
// tenths of the job's real duration the figure then shown compared with the time that was
// really left.
#pragma once

#include <array>
#include <cstdint>

#include "link/sim/receiver_simulator.h"

namespace kestrel::link {

enum class TrialJob { kReadAllChannels, kProgramAndVerify };

struct TimeLeftTrial {
  static constexpr std::array<double, 3> kShares = {0.1, 0.5, 0.9};

  bool succeeded = false;
  std::uint64_t total_ms = 0;
  // (figure shown - time really left) / time really left, at each of kShares.
  std::array<double, 3> error{};
  // Figures shown with "waiting for the receiver".
  int waits = 0;
};

// `options` shape the receiver and its line; its memory holds the default configuration with
// every channel in use.
TimeLeftTrial RunTimeLeftTrial(TrialJob job, const SimulatorOptions& options);

}  // namespace kestrel::link
