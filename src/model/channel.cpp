#include "model/channel.h"

#include <array>

namespace kestrel {

std::optional<ToneSelect> ToneSelectAt(int position) {
  if (position < PositionOf(ToneSelect::kVfo) || position > PositionOf(ToneSelect::kDcs)) {
    return std::nullopt;
  }
  return static_cast<ToneSelect>(position);
}

std::string_view FieldName(ChannelField field) {
  static constexpr std::array<std::string_view, 12> kNames{
      "InUse",   "Frequency",  "Name",    "Mode",   "Step",      "ToneSelect",
      "TsqTone", "RevTsqTone", "DcsCode", "RevDcs", "Scrambler", "TrainTone"};
  return kNames[static_cast<std::size_t>(field)];
}

FieldTable TableOf(ChannelField field) {
  switch (field) {
    case ChannelField::kMode:
      return {kChannelModeTable, "mode table"};
    case ChannelField::kStep:
      return {kStepTable, "step table"};
    case ChannelField::kToneSelect:
      return {kToneSelectTable, "tone select table"};
    case ChannelField::kTsqTone:
    case ChannelField::kRevTsqTone:
      return {kChannelToneTable, "tone table"};
    case ChannelField::kDcsCode:
      return {kChannelDcsTable, "DCS code table"};
    case ChannelField::kRevDcs:
      return {kChannelDcsPolarityTable, "DCS polarity table"};
    case ChannelField::kScrambler:
      return {kChannelScramblerTable, "scrambler table"};
    case ChannelField::kTrainTone:
      return {kChannelTrainToneTable, "train tone table"};
    default:
      return {};
  }
}

}  // namespace kestrel
