#include "link/sim/shared_receiver.h"

#include "link/sim/default_memory.h"

namespace kestrel::link {

SharedReceiver::SharedReceiver() {
  receiver.memory() = DefaultReceiverMemory();
}

}  // namespace kestrel::link
