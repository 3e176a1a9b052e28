#include "model/display_texts.h"

#include <cstdio>

#include "model/channel.h"
#include "model/frequency_text.h"
#include "model/value_tables.h"

namespace kestrel {

namespace {

std::string Entry(ValueTable table, int position) {
  return std::string(TableEntry(table, position));
}

constexpr std::array<std::string_view, kChannelColumnCount> kColumnCaptions{
    "No.",     "Frequency", "NAME",    "Mode",  "TONE SELECT", "TSQ",
    "REV TSQ", "DCS",       "REV DCS", "SCALR", "TRAIN",
};

}  // namespace

std::string_view ChannelColumnCaption(ChannelColumn column) {
  const auto c = static_cast<std::size_t>(column);
  return c < kColumnCaptions.size() ? kColumnCaptions[c] : std::string_view{};
}

std::string ChannelNumberText(int number) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%03d", number - 1);
  return text.data();
}

std::string ChannelText(const MemoryChannel& channel, int number, ChannelColumn column) {
  if (column == ChannelColumn::kNumber) return ChannelNumberText(number);
  if (!channel.IsProgrammed()) return {};
  switch (column) {
    case ChannelColumn::kFrequency:
      return HzToMhzText(channel.Frequency);
    case ChannelColumn::kName:
      return std::string(TrimBlanks(channel.Name));
    case ChannelColumn::kMode:
      return Entry(kChannelModeTable, channel.Mode);
    case ChannelColumn::kToneSelect:
      return Entry(kToneSelectTable, channel.ToneSelect);
    case ChannelColumn::kTsq:
      return Entry(kChannelToneTable, channel.TsqTone);
    case ChannelColumn::kRevTsq:
      return Entry(kChannelToneTable, channel.RevTsqTone);
    case ChannelColumn::kDcs:
      return Entry(kChannelDcsTable, channel.DcsCode);
    case ChannelColumn::kRevDcs:
      // A polarity kept from an earlier DCS selection means nothing under another one.
      return UsesToneField(channel.ToneSelect, ChannelField::kRevDcs)
                 ? Entry(kChannelDcsPolarityTable, channel.RevDcs)
                 : std::string();
    case ChannelColumn::kScrambler:
      return Entry(kChannelScramblerTable, channel.Scrambler);
    case ChannelColumn::kTrain:
      return Entry(kChannelTrainToneTable, channel.TrainTone);
    default:
      return {};
  }
}

ChannelRowTexts ChannelTexts(const MemoryChannel& channel, int number) {
  ChannelRowTexts texts;
  for (std::size_t c = 0; c < kChannelColumnCount; ++c) {
    texts[c] = ChannelText(channel, number, static_cast<ChannelColumn>(c));
  }
  return texts;
}

std::string SearchBandLabel(int band) {
  if (band == kSearchBandCount - 1) return "L--";
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "L%02d", band);
  return text.data();
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace kestrel
