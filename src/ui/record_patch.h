// What one change did to the record, kept small: only the channels, bands and blocks that differ
// between two records. The undo history keeps two per step, one to go back and one to go forward,
// so a step that touches one channel costs one channel, not a copy of the 1000.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "model/radio_config.h"

namespace kestrel::ui {

class RecordPatch {
 public:
  // The parts of `to` that differ from `from`: applied to `from`, the patch gives `to`.
  static RecordPatch Between(const RadioConfig& from, const RadioConfig& to);

  void ApplyTo(RadioConfig& record) const;
  bool IsEmpty() const;
  // The channels the patch sets, in ascending order.
  std::vector<int> Channels() const;

 private:
  std::vector<std::pair<int, MemoryChannel>> channels_;
  std::vector<std::pair<int, SearchBand>> bands_;
  std::optional<decltype(RadioConfig::SetMode)> set_mode_;
  std::optional<FactorySettings> factory_;
};

}  // namespace kestrel::ui
