// How long the rest of a transfer takes on a well-behaved line, for the time shown as left. A
// command costs the bytes of its frame and of its answer at 38400 baud (ten bits a byte: start,
// eight data, stop) and the settle delay that ends it; the receiver answers at once. A slow
// receiver, an echoing cable or retries keep another pace: the time shown corrects this model by
// the pace a job has reached (see time_left.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "link/range_lists.h"

namespace kestrel::link {

enum class Direction { kRead, kWrite };

// Commands and the bytes they move both ways.
struct WireCost {
  std::uint64_t commands = 0;
  std::uint64_t bytes = 0;

  // Milliseconds, rounded up.
  std::uint64_t Ms() const;
  WireCost& operator+=(const WireCost& other);
  WireCost& operator-=(const WireCost& other);
};

WireCost HandshakeCost();
WireCost CommandCost(const RangeCommand& command, Direction direction);
// A transfer step's handshake and every command of `list`.
WireCost StepCost(std::span<const AddressRange> list, Direction direction);

// "45 s left", "2 min 05 s left": whole seconds, rounded up.
std::string TimeLeftText(std::uint64_t ms);
// The same, with ", waiting for the receiver" while a reply is late.
std::string TimeLeftText(std::uint64_t ms, bool waiting);

}  // namespace kestrel::link
