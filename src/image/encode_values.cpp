#include "image/encode_values.h"

#include "model/frequency_text.h"
#include "model/number_text.h"
#include "model/value_tables.h"

namespace kestrel::encode {

double ChannelHz(const MemoryChannel& channel) {
  if (channel.InUse == 0) return kEmptyChannelHz;
  return StoredHz(channel);
}

double LimitHz(const std::string& mhz, double empty_hz) {
  if (mhz.empty()) return empty_hz;
  return RoundHalfEven(EntryHz(mhz));
}

int SetModeByte(const RadioConfig& record, int function) {
  // The receiver keeps these five to itself; whatever a file brought in is never sent.
  if (SetModeValueTable(function).empty()) return 0;
  const int position = record.SetMode[static_cast<std::size_t>(function)];
  return SetModeStoredPlusOne(function) ? position + 1 : position;
}

std::int64_t ChargeMinutes(const FactorySettings& factory) {
  return (static_cast<std::int64_t>(factory.ChargeTime) + 1) * 60;
}

}  // namespace kestrel::encode
