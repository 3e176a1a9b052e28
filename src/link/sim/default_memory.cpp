#include "link/sim/default_memory.h"

#include "image/encoder.h"
#include "model/defaults.h"

namespace kestrel::link {

MemoryImage DefaultReceiverMemory() {
  MemoryImage memory;
  RadioConfig record = NewConfiguration();
  (void)EncodeImage(record, memory);  // the defaults always encode
  return memory;
}

}  // namespace kestrel::link
