#include "model/config_diff.h"

#include <cstdint>
#include <string_view>

#include "model/channel.h"
#include "model/display_texts.h"
#include "model/factory_captions.h"
#include "model/frequency_text.h"
#include "model/value_tables.h"

namespace kestrel {

namespace {

using Kind = DifferencePlace::Kind;

// A shown value: without the blanks around it (" 88.5" reads "88.5"), "(none)" for a blank.
std::string Shown(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  return trimmed.empty() ? std::string("(none)") : std::string(trimmed);
}

std::string Change(const std::string& before, const std::string& after) {
  return before + " -> " + after;
}

// Two positions of a value table as their entries, or as the positions themselves where the
// entries read alike (a position outside the table, a function without one).
std::string PositionChange(ValueTable table, int before, int after) {
  const std::string shown_before = Shown(TableEntry(table, before));
  const std::string shown_after = Shown(TableEntry(table, after));
  if (shown_before != shown_after) return Change(shown_before, shown_after);
  return Change(std::to_string(before), std::to_string(after));
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

// A name as the receiver keeps it: the blanks after it only pad it.
std::string_view Unpadded(std::string_view name) {
  const auto last = name.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : name.substr(0, last + 1);
}

void Append(std::string& parts, const std::string& part) {
  if (!parts.empty()) parts += ", ";
  parts += part;
}

// A programmed channel in a few words: "145.50000 MHz FM \"REP\"".
std::string Described(const MemoryChannel& channel, int number) {
  std::string text = ChannelText(channel, number, ChannelColumn::kFrequency) + " MHz";
  const std::string mode = ChannelText(channel, number, ChannelColumn::kMode);
  // Appended piece by piece: GCC 12 warns falsely about " " + a string in optimised builds.
  if (!mode.empty()) text.append(" ").append(mode);
  const std::string name = ChannelText(channel, number, ChannelColumn::kName);
  if (!name.empty()) text.append(" ").append(Quoted(name));
  return text;
}

// The position a coded column of the grid shows.
std::int16_t PositionOf(const MemoryChannel& channel, ChannelColumn column) {
  switch (column) {
    case ChannelColumn::kMode:
      return channel.Mode;
    case ChannelColumn::kToneSelect:
      return channel.ToneSelect;
    case ChannelColumn::kTsq:
      return channel.TsqTone;
    case ChannelColumn::kRevTsq:
      return channel.RevTsqTone;
    case ChannelColumn::kDcs:
      return channel.DcsCode;
    case ChannelColumn::kRevDcs:
      return channel.RevDcs;
    case ChannelColumn::kScrambler:
      return channel.Scrambler;
    case ChannelColumn::kTrain:
      return channel.TrainTone;
    default:
      return 0;
  }
}

bool UnderDcs(const MemoryChannel& channel) {
  return UsesToneField(channel.ToneSelect, ChannelField::kRevDcs);
}

// The fields in which two programmed channels differ, one part each, in the grid's order.
std::string ChangedFields(const MemoryChannel& before, const MemoryChannel& after, int number) {
  const ChannelRowTexts old_texts = ChannelTexts(before, number);
  const ChannelRowTexts new_texts = ChannelTexts(after, number);
  const auto text = [](const ChannelRowTexts& texts, ChannelColumn column) {
    return texts[static_cast<std::size_t>(column)];
  };
  std::string parts;

  const std::string caption_frequency(ChannelColumnCaption(ChannelColumn::kFrequency));
  const std::string old_mhz = text(old_texts, ChannelColumn::kFrequency);
  const std::string new_mhz = text(new_texts, ChannelColumn::kFrequency);
  if (old_mhz != new_mhz) {
    Append(parts, caption_frequency + " " + Change(Shown(old_mhz), Shown(new_mhz)) + " MHz");
  } else if (StoredHz(before) != StoredHz(after)) {
    Append(parts, caption_frequency + " " +
                      Change(ExactMhzText(before.Frequency), ExactMhzText(after.Frequency)) +
                      " MHz");
  }

  const std::string caption_name(ChannelColumnCaption(ChannelColumn::kName));
  const std::string old_name = text(old_texts, ChannelColumn::kName);
  const std::string new_name = text(new_texts, ChannelColumn::kName);
  if (old_name != new_name) {
    Append(parts, caption_name + " " + Change(Quoted(old_name), Quoted(new_name)));
  } else if (Unpadded(before.Name) != Unpadded(after.Name)) {
    Append(parts, caption_name + " " +
                      Change(Quoted(Unpadded(before.Name)), Quoted(Unpadded(after.Name))));
  }

  for (std::size_t c = static_cast<std::size_t>(ChannelColumn::kMode); c < kChannelColumnCount;
       ++c) {
    const auto column = static_cast<ChannelColumn>(c);
    const std::string caption(ChannelColumnCaption(column));
    if (old_texts[c] != new_texts[c]) {
      Append(parts, caption + " " + Change(Shown(old_texts[c]), Shown(new_texts[c])));
      continue;
    }
    // A polarity means nothing under another tone selection, so it differs only under DCS.
    if (column == ChannelColumn::kRevDcs && !(UnderDcs(before) && UnderDcs(after))) continue;
    const int old_position = PositionOf(before, column);
    const int new_position = PositionOf(after, column);
    if (old_position != new_position) {
      Append(parts,
             caption + " " + Change(std::to_string(old_position), std::to_string(new_position)));
    }
  }

  // The grid does not show the step, but the receiver tunes with it.
  if (before.Step != after.Step) {
    Append(parts, std::string(FieldName(ChannelField::kStep)) + " " +
                      PositionChange(kStepTable, before.Step, after.Step));
  }
  return parts;
}

void CompareSetMode(const RadioConfig& before, const RadioConfig& after,
                    std::vector<ConfigDifference>& differences) {
  for (int f = 0; f < kSetModeFunctionCount; ++f) {
    const int old_position = before.SetMode[static_cast<std::size_t>(f)];
    const int new_position = after.SetMode[static_cast<std::size_t>(f)];
    if (old_position == new_position) continue;
    differences.push_back({{Kind::kSetMode, f},
                           "Set Mode " + std::string(SetModeFunctionName(f)) + ": " +
                               PositionChange(SetModeValueTable(f), old_position, new_position)});
  }
}

void CompareChannels(const RadioConfig& before, const RadioConfig& after,
                     std::vector<ConfigDifference>& differences) {
  for (int n = 1; n <= kChannelCount; ++n) {
    const MemoryChannel& old_channel = before.Channel(n);
    const MemoryChannel& new_channel = after.Channel(n);
    std::string what;
    if (old_channel.IsProgrammed() && new_channel.IsProgrammed()) {
      what = ChangedFields(old_channel, new_channel, n);
    } else if (old_channel.IsProgrammed()) {
      what = "removed " + Described(old_channel, n);
    } else if (new_channel.IsProgrammed()) {
      what = "added " + Described(new_channel, n);
    }
    if (!what.empty())
      differences.push_back({{Kind::kChannel, n}, ChannelNumberText(n) + ": " + what});
  }
}

void CompareBands(const RadioConfig& before, const RadioConfig& after,
                  std::vector<ConfigDifference>& differences) {
  for (int b = 0; b < kSearchBandCount; ++b) {
    std::string parts;
    const auto limit = [&parts](const char* which, const std::string& old_mhz,
                                const std::string& new_mhz) {
      const std::string shown_old = Shown(old_mhz);
      const std::string shown_new = Shown(new_mhz);
      if (shown_old != shown_new) {
        Append(parts, std::string(which) + " " + Change(shown_old, shown_new) + " MHz");
      }
    };
    limit("lower", before.Band(b).LowFrequency, after.Band(b).LowFrequency);
    limit("upper", before.Band(b).UpperFrequency, after.Band(b).UpperFrequency);
    if (!parts.empty()) {
      differences.push_back({{Kind::kBand, b}, "band " + SearchBandLabel(b) + ": " + parts});
    }
  }
}

// One Factory Settings value as its page shows it: the charge time list starts at "1" hour.
struct FactoryValue {
  const char* caption;
  std::int32_t value;
  int shown_offset = 0;
  const char* unit = "";
};

template <std::size_t N>
void AddValues(std::vector<FactoryValue>& values, const char* const (&captions)[N],
               const std::array<std::int32_t, N>& array, const char* unit = "") {
  for (std::size_t i = 0; i < N; ++i) values.push_back({captions[i], array[i], 0, unit});
}

// The 34 values in the data file's order.
std::vector<FactoryValue> FactoryValues(const FactorySettings& factory) {
  std::vector<FactoryValue> values;
  AddValues(values, kSqlLevelCaptions, factory.SqlLevel);
  AddValues(values, kSMeterCaptions, factory.SMeterLevel);
  AddValues(values, kPwmAmCaptions, factory.PwmAm);
  AddValues(values, kPwmSwCaptions, factory.PwmSw);
  values.push_back({kChargeTimeCaption, factory.ChargeTime, 1, " Hours"});
  values.push_back({kDcsErrorBitCaption, factory.DcsErrorBit});
  AddValues(values, kFixCountCaptions, factory.FixCount);
  values.push_back({kTrainFixTimeCaption, factory.TrainFixTime, 0, " mSec"});
  AddValues(values, kUnlockWaitCaptions, factory.UnlockWait, " mSec");
  return values;
}

void CompareFactory(const RadioConfig& before, const RadioConfig& after,
                    std::vector<ConfigDifference>& differences) {
  if (before.Factory == after.Factory) return;
  const std::vector<FactoryValue> old_values = FactoryValues(before.Factory);
  const std::vector<FactoryValue> new_values = FactoryValues(after.Factory);
  for (std::size_t i = 0; i < old_values.size(); ++i) {
    const FactoryValue& old_value = old_values[i];
    const FactoryValue& new_value = new_values[i];
    if (old_value.value == new_value.value) continue;
    const auto shown = [](const FactoryValue& v) {
      return std::to_string(std::int64_t{v.value} + v.shown_offset);
    };
    differences.push_back({{Kind::kFactory, static_cast<int>(i)},
                           std::string("Factory Settings ") + old_value.caption + ": " +
                               Change(shown(old_value), shown(new_value)) + old_value.unit});
  }
}

}  // namespace

std::vector<ConfigDifference> CompareConfigurations(const RadioConfig& before,
                                                    const RadioConfig& after) {
  std::vector<ConfigDifference> differences;
  CompareSetMode(before, after, differences);
  CompareChannels(before, after, differences);
  CompareBands(before, after, differences);
  CompareFactory(before, after, differences);
  return differences;
}

}  // namespace kestrel
