// One simulated receiver for every link that chooses it, as one receiver on its cable serves one
// program at a time: a link holds `in_use` for as long as it exists, and what one transfer writes
// into the receiver the next one reads back.
#pragma once

#include <mutex>

#include "link/sim/receiver_simulator.h"

namespace kestrel::link {

struct SharedReceiver {
  // Holding the encoded default configuration, as a new receiver would.
  SharedReceiver();

  ReceiverSimulator receiver;
  std::mutex in_use;
};

}  // namespace kestrel::link
