// The memory a simulated receiver starts with when it is given no image.
#pragma once

#include "image/memory_image.h"

namespace kestrel::link {

// The encoded configuration of a new document: the broadcast presets and every derived table,
// as a real receiver holding that configuration would have them.
MemoryImage DefaultReceiverMemory();

}  // namespace kestrel::link
