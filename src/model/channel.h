// What the coded fields of a memory channel stand for: the mode and tone selection positions,
// the positions a newly chosen tone selection starts with, and the names of the fields as
// messages to the user give them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>

#include "model/value_tables.h"

namespace kestrel {

// `Mode`: positions in kChannelModeTable.
enum class ChannelMode : std::int16_t { kBlank = 0, kFm = 1, kWfm = 2, kAm = 3 };

// `ToneSelect`: positions in kToneSelectTable. Each selection but VFO uses its own value field:
// TSQ `TsqTone`, REV TSQ `RevTsqTone`, TRAN `TrainTone`, V.INV `Scrambler`, DCS `DcsCode` with
// `RevDcs`.
enum class ToneSelect : std::int16_t {
  kVfo = 0,
  kTsq = 1,
  kRevTsq = 2,
  kTrain = 3,
  kScrambler = 4,
  kDcs = 5
};

// The position a field stores for a coded value.
constexpr std::int16_t PositionOf(ChannelMode mode) {
  return static_cast<std::int16_t>(mode);
}
constexpr std::int16_t PositionOf(ToneSelect tone_select) {
  return static_cast<std::int16_t>(tone_select);
}

// The tone selection a stored position stands for; nullopt outside the tone select table.
std::optional<ToneSelect> ToneSelectAt(int position);

// Where a newly chosen tone selection starts: TSQ and REV TSQ at " 88.5", TRAN at 2280 Hz,
// V.INV at 3300 Hz, DCS at code "023".
inline constexpr std::int16_t kDefaultTone = 9;
inline constexpr std::int16_t kDefaultTrainTone = 41;
inline constexpr std::int16_t kDefaultScrambler = 6;
inline constexpr std::int16_t kDefaultDcsCode = 1;

// `RevDcs` of a channel stored with a tone selection other than DCS: no polarity.
inline constexpr std::int16_t kNoPolarity = -1;

// The receiver keeps six name characters.
inline constexpr std::size_t kNameLength = 6;

// The fields of a memory channel, in record order.
enum class ChannelField {
  kInUse,
  kFrequency,
  kName,
  kMode,
  kStep,
  kToneSelect,
  kTsqTone,
  kRevTsqTone,
  kDcsCode,
  kRevDcs,
  kScrambler,
  kTrainTone,
};

// The value fields a tone selection uses: none for VFO, TsqTone for TSQ, RevTsqTone for REV TSQ,
// TrainTone for TRAN, Scrambler for V.INV, DcsCode then RevDcs for DCS. Which fields count is
// decided here alone; what a place does with the others (blank, keep, disable) is its own.
std::span<const ChannelField> ToneFieldsFor(ToneSelect tone_select);
// Whether a channel with tone selection position `tone_select` uses `field`; a position outside
// the table uses none.
bool UsesToneField(int tone_select, ChannelField field);
// The value a newly chosen tone selection gives `field`: the defaults above, NORMAL for RevDcs.
std::int16_t StartingToneValue(ChannelField field);

// The tone value field `field` of a stored channel or of an entry, which name them alike. Only
// the fields ToneFieldsFor gives are tone values; any other field is a programming error.
template <typename Channel>
auto ToneValue(Channel& channel, ChannelField field) -> decltype((channel.TsqTone)) {
  switch (field) {
    case ChannelField::kTsqTone:
      return channel.TsqTone;
    case ChannelField::kRevTsqTone:
      return channel.RevTsqTone;
    case ChannelField::kDcsCode:
      return channel.DcsCode;
    case ChannelField::kRevDcs:
      return channel.RevDcs;
    case ChannelField::kScrambler:
      return channel.Scrambler;
    case ChannelField::kTrainTone:
      return channel.TrainTone;
    default:
      std::abort();
  }
}

// The field's name as the record and the data file call it ("Step", "TsqTone").
std::string_view FieldName(ChannelField field);
// The field as the user sees it, by the memory grid's caption ("STEP", "TSQ", "REV DCS"):
// messages name fields this way.
std::string_view FieldCaption(ChannelField field);

// The value table a coded field holds a position in, with its name as messages give it ("step
// table"); no table for InUse, Frequency and Name.
struct FieldTable {
  ValueTable table;
  std::string_view name;
};
FieldTable TableOf(ChannelField field);

}  // namespace kestrel
