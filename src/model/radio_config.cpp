#include "model/radio_config.h"

namespace kestrel {

int RadioConfig::ProgrammedChannelCount() const {
  int count = 0;
  for (const MemoryChannel& channel : channels_) count += channel.IsProgrammed() ? 1 : 0;
  return count;
}

}  // namespace kestrel
