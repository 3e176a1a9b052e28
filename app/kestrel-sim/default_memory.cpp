#include "default_memory.h"

namespace kestrel::sim {

// A receiver with no channel programmed: the channel counts and bitmaps are zero, and every
// channel slot holds the empty-slot pattern (0.1 MHz, bit 6 of byte 6).
MemoryImage DefaultMemory() {
  MemoryImage memory;
  for (int c = 0; c < 1000; ++c) {
    const std::size_t slot = 0x1000 + 16 * static_cast<std::size_t>(c);
    memory.SetLong(slot, 100000);
    memory.SetByte(slot + 6, 0x40);
    for (std::size_t k = 10; k < 16; ++k) memory.SetByte(slot + k, 0x20);
  }
  return memory;
}

}  // namespace kestrel::sim
