#include "ui/record_patch.h"

namespace kestrel::ui {

RecordPatch RecordPatch::Between(const RadioConfig& from, const RadioConfig& to) {
  RecordPatch patch;
  for (int number = 1; number <= kChannelCount; ++number) {
    if (from.Channel(number) != to.Channel(number)) {
      patch.channels_.emplace_back(number, to.Channel(number));
    }
  }
  for (int band = 0; band < kSearchBandCount; ++band) {
    if (from.Band(band) != to.Band(band)) patch.bands_.emplace_back(band, to.Band(band));
  }
  if (from.SetMode != to.SetMode) patch.set_mode_ = to.SetMode;
  if (from.Factory != to.Factory) patch.factory_ = to.Factory;
  return patch;
}

void RecordPatch::ApplyTo(RadioConfig& record) const {
  for (const auto& [number, channel] : channels_) record.Channel(number) = channel;
  for (const auto& [band, limits] : bands_) record.Band(band) = limits;
  if (set_mode_) record.SetMode = *set_mode_;
  if (factory_) record.Factory = *factory_;
}

bool RecordPatch::IsEmpty() const {
  return channels_.empty() && bands_.empty() && !set_mode_ && !factory_;
}

std::vector<int> RecordPatch::Channels() const {
  std::vector<int> numbers;
  numbers.reserve(channels_.size());
  for (const auto& [number, channel] : channels_) numbers.push_back(number);
  return numbers;
}

}  // namespace kestrel::ui
