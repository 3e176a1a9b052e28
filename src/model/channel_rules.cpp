#include "model/channel_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "model/cp1252.h"
#include "model/display_texts.h"
#include "model/frequency_range.h"
#include "model/frequency_text.h"
#include "model/number_text.h"
#include "model/value_tables.h"

namespace kestrel {

namespace {

constexpr int kStep5 = 1, kStep625 = 2, kStep833 = 3, kStep9 = 4;
constexpr std::int64_t kBlock = 25000;  // the 8.33 kHz raster repeats every 25 kHz
constexpr std::int64_t kAviationStep = 8333;

// Fifteen significant digits: the entry's own decimals survive, the binary noise of "x 1e6"
// does not, and frequencies in the receiver's range never need an exponent.
std::string PlainDecimalText(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted += text;
  quoted += '"';
  return quoted;
}

std::string MhzText(double mhz) {
  return FormatFixed5(mhz) + " MHz";
}

// The field named as messages name it, by its caption.
ChannelRefusal Refusal(ChannelField field, std::string reason) {
  return {field, {.field = std::string(FieldCaption(field)), .message = std::move(reason)}, {}};
}

// A coded field that must hold one of its table's entries other than the blank at position 0.
std::optional<ChannelRefusal> NeedsValue(ChannelField field, int position, std::string_view what) {
  if (position != 0 && InTable(TableOf(field).table, position)) return std::nullopt;
  std::string reason = position == 0 ? std::string(what)
                                     : std::to_string(position) + " is not in the " +
                                           std::string(TableOf(field).name);
  return Refusal(field, std::move(reason));
}

// What a tone selection is refused for when its `field` is left blank.
std::string_view BlankToneText(ChannelField field) {
  switch (field) {
    case ChannelField::kTsqTone:
      return "tone select TSQ needs a tone";
    case ChannelField::kRevTsqTone:
      return "tone select REV TSQ needs a tone";
    case ChannelField::kTrainTone:
      return "tone select TRAN needs a train tone";
    case ChannelField::kScrambler:
      return "tone select V.INV needs a scrambler carrier";
    case ChannelField::kDcsCode:
      return "tone select DCS needs a DCS code";
    default:
      return "tone select DCS needs a polarity, NORMAL or REV";
  }
}

std::optional<ChannelRefusal> CheckToneValues(const ChannelEntry& entry) {
  const std::optional<ToneSelect> tone_select = ToneSelectAt(entry.ToneSelect);
  if (!tone_select) {
    return Refusal(ChannelField::kToneSelect,
                   std::to_string(entry.ToneSelect) + " is not in the tone select table");
  }
  for (const ChannelField field : ToneFieldsFor(*tone_select)) {
    const std::int16_t value = ToneValue(entry, field);
    if (field != ChannelField::kRevDcs) {
      if (auto problem = NeedsValue(field, value, BlankToneText(field))) return problem;
    } else if (!InTable(kChannelDcsPolarityTable, value)) {
      // The polarity's first entry, NORMAL, is a value too: only "none" is blank.
      std::string reason = value == kNoPolarity ? std::string(BlankToneText(field))
                                                : std::to_string(value) + " is not in the " +
                                                      std::string(TableOf(field).name);
      return Refusal(field, std::move(reason));
    }
  }
  return std::nullopt;
}

std::optional<ChannelRefusal> CheckName(const std::string& name) {
  const std::optional<std::string> bytes = Utf8ToCp1252(name);
  if (!bytes) {
    return Refusal(ChannelField::kName,
                   Quoted(name) + " holds a character the receiver cannot show");
  }
  if (bytes->size() > kNameLength) {
    return Refusal(ChannelField::kName, Quoted(name) + " is longer than the receiver's " +
                                            std::to_string(kNameLength) + " characters");
  }
  return std::nullopt;
}

// The entry's values stored as its tone selection keeps them: the values of the other
// selections are blank, and the polarity belongs to DCS alone.
void StoreToneValues(const ChannelEntry& entry, MemoryChannel& channel) {
  channel.ToneSelect = entry.ToneSelect;
  channel.TsqTone = channel.RevTsqTone = channel.DcsCode = channel.Scrambler = 0;
  channel.TrainTone = 0;
  channel.RevDcs = kNoPolarity;
  for (const ChannelField field : ToneFieldsFor(*ToneSelectAt(entry.ToneSelect))) {
    ToneValue(channel, field) = ToneValue(entry, field);
  }
}

}  // namespace

std::optional<int> DeriveStep(double hz, int mode) {
  if (!std::isfinite(hz) || std::fabs(hz) > 9.0e18) return std::nullopt;
  const auto n = static_cast<std::int64_t>(RoundHalfEven(hz));
  const std::int64_t r = n % kBlock;
  int step = 0;
  if (mode == PositionOf(ChannelMode::kAm) && hz >= 522000 && hz <= 1611000 && n % 9000 == 0) {
    step = kStep9;
  }
  if (r == 0) step = kStep833;
  if (step == 0 && r % 8330 == 0) step = kStep833;
  if (step == 0 && n % 6250 == 0) step = kStep625;
  if (step == 0 && n % 5000 == 0) step = kStep5;
  if (step == 0) return std::nullopt;
  return step;
}

std::vector<int> AcceptedSteps(double hz, int mode) {
  if (!std::isfinite(hz) || std::fabs(hz) > 9.0e18) return {};
  const auto n = static_cast<std::int64_t>(RoundHalfEven(hz));
  const std::int64_t r = n % kBlock;
  // Within a few Hz of an 8.33 kHz channel: the entered 8330 and the stored 8334 alike.
  const std::int64_t k = (r * 3 + kBlock / 2) / kBlock;
  const bool aviation = r % 8330 == 0 || std::llabs(r * 3 - k * kBlock) <= 15;
  std::vector<int> steps;
  if (n % 5000 == 0) steps.push_back(kStep5);
  if (n % 6250 == 0) steps.push_back(kStep625);
  if (aviation) steps.push_back(kStep833);
  if (mode == PositionOf(ChannelMode::kAm) && hz >= 522000 && hz <= 1611000 && n % 9000 == 0) {
    steps.push_back(kStep9);
  }
  return steps;
}

std::expected<MemoryChannel, ChannelRefusal> WithStep(const MemoryChannel& stored, int step) {
  // The frequency as the grid and the editor show it, so that 8.33 snaps as the editor snaps.
  const double hz = EntryHz(EntryOf(stored).Frequency);
  const std::vector<int> accepted = AcceptedSteps(hz, stored.Mode);
  if (std::ranges::find(accepted, step) == accepted.end()) {
    std::string reason =
        InTable(kStepTable, step) ? std::string(kStepTable[static_cast<std::size_t>(step)]) : "?";
    reason += " kHz is not a raster ";
    reason += MhzText(hz / 1000000.0);
    reason += " lies on";
    return std::unexpected(Refusal(ChannelField::kStep, std::move(reason)));
  }
  MemoryChannel channel = stored;
  channel.Step = static_cast<std::int16_t>(step);
  if (step == kStep833) channel.Frequency = StoredFrequencyText(hz, step);
  return channel;
}

std::int16_t BandMode(double hz) {
  if (hz < 30.0e6 || (hz >= 108.0e6 && hz < 137.0e6)) return PositionOf(ChannelMode::kAm);
  if (hz >= 76.0e6 && hz < 108.0e6) return PositionOf(ChannelMode::kWfm);
  return PositionOf(ChannelMode::kFm);
}

std::string SteppedFrequencyText(double start_hz, double step_khz, int count) {
  std::int64_t hz = 0;
  if (std::fabs(step_khz - 8.33) < 0.005) {
    const auto start = static_cast<std::int64_t>(RoundHalfEven(start_hz));
    // The 8.33 kHz channels of a block as entered: 0, 8.33 and 16.66 kHz above its base.
    const std::int64_t place =
        start / kBlock * 3 +
        static_cast<std::int64_t>(RoundHalfEven(static_cast<double>(start % kBlock) /
                                                (static_cast<double>(kBlock) / 3.0))) +
        count;
    hz = place / 3 * kBlock + place % 3 * 8330;
  } else {
    hz = static_cast<std::int64_t>(RoundHalfEven(start_hz + count * step_khz * 1000.0));
  }
  std::string text = std::to_string(hz / 1000000);
  std::string decimals = std::to_string(hz % 1000000);
  text.append(1, '.').append(6 - decimals.size(), '0').append(decimals);
  return text;
}

std::string StoredFrequencyText(double hz, int step) {
  std::string text = PlainDecimalText(hz);
  if (step != kStep833 || !std::isfinite(hz) || std::fabs(hz) > 9.0e18) return text;
  const auto n = static_cast<std::int64_t>(RoundHalfEven(hz));
  const std::int64_t base = n / kBlock * kBlock;
  if (hz > static_cast<double>(base)) {
    const auto k = static_cast<std::int64_t>(
        RoundHalfEven(static_cast<double>(n % kBlock) / static_cast<double>(kAviationStep)));
    if (k > 0) text = std::to_string(base + k * kAviationStep + 1);
  }
  return text;
}

std::expected<MemoryChannel, ChannelRefusal> ValidateChannel(const ChannelEntry& entry,
                                                             const MemoryChannel& stored) {
  const auto refuse = [](ChannelField field, std::string reason) {
    return std::unexpected(Refusal(field, std::move(reason)));
  };
  if (entry.Frequency.empty()) return refuse(ChannelField::kFrequency, "no frequency is given");
  if (entry.Mode == PositionOf(ChannelMode::kBlank)) {
    return refuse(ChannelField::kMode, "no mode is chosen: FM, WFM or AM");
  }
  if (!InTable(kChannelModeTable, entry.Mode)) {
    return refuse(ChannelField::kMode, std::to_string(entry.Mode) + " is not in the " +
                                           std::string(TableOf(ChannelField::kMode).name));
  }
  const double hz = EntryHz(entry.Frequency);
  const double mhz = LeadingNumber(entry.Frequency);  // as typed, for the messages
  if (!(hz >= kLowestHz && hz <= kHighestHz)) {
    return refuse(ChannelField::kFrequency,
                  (std::isfinite(mhz) ? MhzText(mhz) : Quoted(entry.Frequency) + " MHz") +
                      " is outside the receiver's range, " + MhzText(kLowestMhz) + " to " +
                      MhzText(kHighestMhz));
  }
  std::optional<std::int16_t> derived_step;
  // Unchanged means the very number the stored text holds, fractions of a Hz included: a CSV
  // import stores 8.33 kHz channels that way, and they keep their step.
  if (hz != LeadingNumber(stored.Frequency) || entry.Mode != stored.Mode) {
    const std::optional<int> step = DeriveStep(hz, entry.Mode);
    if (!step) {
      return refuse(
          ChannelField::kFrequency,
          MhzText(mhz) + " is on no tuning raster: 5, 6.25 or 8.33 kHz, or 9 kHz for AM broadcast");
    }
    derived_step = static_cast<std::int16_t>(*step);
  }
  std::optional<ChannelRefusal> problem = CheckToneValues(entry);
  if (!problem) problem = CheckName(entry.Name);
  if (problem) {
    problem->derived_step = derived_step;
    return std::unexpected(std::move(*problem));
  }

  MemoryChannel channel;
  channel.InUse = 1;
  channel.Step = derived_step.value_or(stored.Step);
  channel.Frequency = StoredFrequencyText(hz, channel.Step);
  channel.Name = *Utf8ToCp1252(entry.Name);
  channel.Mode = entry.Mode;
  StoreToneValues(entry, channel);
  return channel;
}

ChannelEntry EntryOf(const MemoryChannel& channel) {
  return {.Frequency = ChannelText(channel, 1, ChannelColumn::kFrequency),
          .Name = Cp1252ToUtf8(ChannelText(channel, 1, ChannelColumn::kName)),
          .Mode = channel.Mode,
          .ToneSelect = channel.ToneSelect,
          .TsqTone = channel.TsqTone,
          .RevTsqTone = channel.RevTsqTone,
          .DcsCode = channel.DcsCode,
          .RevDcs = channel.RevDcs,
          .Scrambler = channel.Scrambler,
          .TrainTone = channel.TrainTone};
}

}  // namespace kestrel
