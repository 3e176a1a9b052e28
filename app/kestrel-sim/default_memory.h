// The memory a simulated receiver starts with when no image is given.
#pragma once

#include "image/memory_image.h"

namespace kestrel::sim {

MemoryImage DefaultMemory();

}  // namespace kestrel::sim
