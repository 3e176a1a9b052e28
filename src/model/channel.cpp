#include "model/channel.h"

#include <array>

namespace kestrel {

std::optional<ToneSelect> ToneSelectAt(int position) {
  if (position < PositionOf(ToneSelect::kVfo) || position > PositionOf(ToneSelect::kDcs)) {
    return std::nullopt;
  }
  return static_cast<ToneSelect>(position);
}

std::span<const ChannelField> ToneFieldsFor(ToneSelect tone_select) {
  static constexpr ChannelField kTsq[] = {ChannelField::kTsqTone};
  static constexpr ChannelField kRevTsq[] = {ChannelField::kRevTsqTone};
  static constexpr ChannelField kTrain[] = {ChannelField::kTrainTone};
  static constexpr ChannelField kScrambler[] = {ChannelField::kScrambler};
  static constexpr ChannelField kDcs[] = {ChannelField::kDcsCode, ChannelField::kRevDcs};
  switch (tone_select) {
    case ToneSelect::kVfo:
      return {};
    case ToneSelect::kTsq:
      return kTsq;
    case ToneSelect::kRevTsq:
      return kRevTsq;
    case ToneSelect::kTrain:
      return kTrain;
    case ToneSelect::kScrambler:
      return kScrambler;
    case ToneSelect::kDcs:
      return kDcs;
  }
  return {};
}

bool UsesToneField(int tone_select, ChannelField field) {
  const std::optional<ToneSelect> chosen = ToneSelectAt(tone_select);
  if (!chosen) return false;
  for (const ChannelField used : ToneFieldsFor(*chosen)) {
    if (used == field) return true;
  }
  return false;
}

std::int16_t StartingToneValue(ChannelField field) {
  switch (field) {
    case ChannelField::kTsqTone:
    case ChannelField::kRevTsqTone:
      return kDefaultTone;
    case ChannelField::kTrainTone:
      return kDefaultTrainTone;
    case ChannelField::kScrambler:
      return kDefaultScrambler;
    case ChannelField::kDcsCode:
      return kDefaultDcsCode;
    default:
      return 0;
  }
}

std::string_view FieldName(ChannelField field) {
  static constexpr std::array<std::string_view, 12> kNames{
      "InUse",   "Frequency",  "Name",    "Mode",   "Step",      "ToneSelect",
      "TsqTone", "RevTsqTone", "DcsCode", "RevDcs", "Scrambler", "TrainTone"};
  return kNames[static_cast<std::size_t>(field)];
}

std::string_view FieldCaption(ChannelField field) {
  static constexpr std::array<std::string_view, 12> kCaptions{
      "In Use", "Frequency", "NAME", "Mode",    "STEP",  "TONE SELECT",
      "TSQ",    "REV TSQ",   "DCS",  "REV DCS", "SCALR", "TRAIN"};
  return kCaptions[static_cast<std::size_t>(field)];
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
