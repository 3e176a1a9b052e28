#include "default_memory.h"

#include "image/encoder.h"
#include "model/defaults.h"

namespace kestrel::sim {

// A receiver holding the configuration of a new document, so that a first read shows the
// broadcast presets and every derived table as a real receiver would hold them.
MemoryImage DefaultMemory() {
  MemoryImage memory;
  RadioConfig record = NewConfiguration();
  (void)EncodeImage(record, memory);  // the defaults always encode
  return memory;
}

}  // namespace kestrel::sim
