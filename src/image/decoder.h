// Turning a memory image read from a receiver into the record.
#pragma once

#include "image/memory_image.h"
#include "model/radio_config.h"

namespace kestrel {

// Empties every channel of `record` and marks in use those whose bit is set in the image's
// channel bitmap; returns how many are. A read does this before it fetches the channel slots,
// since the bitmap alone decides which slots are fetched and decoded.
int MarkUsedChannels(const MemoryImage& image, RadioConfig& record);

// Overwrites the Set Mode, search band and Factory Settings fields and every field but `InUse`
// of the channels in use. Channels not in use keep what they hold; `InUse` itself is left to
// MarkUsedChannels. Every byte pattern decodes to some value; out-of-range Set Mode positions
// become 0 and the Factory Settings are clamped, channel positions are kept as they come.
void DecodeImage(const MemoryImage& image, RadioConfig& record);

}  // namespace kestrel
