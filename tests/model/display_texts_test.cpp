#include "model/display_texts.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

ChannelRowTexts Row(std::initializer_list<const char*> texts) {
  ChannelRowTexts row;
  std::size_t c = 0;
  for (const char* text : texts) row[c++] = text;
  return row;
}

TEST(DisplayTexts, ChannelRowsFollowTheChannel) {
  EXPECT_EQ(ChannelNumberText(1000), "999");
  EXPECT_EQ(ChannelNumberText(1), "000");

  // An empty channel shows only its number, whatever its other fields hold.
  // Fields in order: InUse, Frequency, Name, Mode, Step, ToneSelect, TsqTone, RevTsqTone,
  // DcsCode, RevDcs, Scrambler, TrainTone.
  MemoryChannel c{0, "118008334", "  TWR ", 3, 3, 5, 13, 1, 1, 1, 6, 41};
  EXPECT_EQ(ChannelTexts(c, 12), Row({"011", "", "", "", "", "", "", "", "", "", ""}));

  c.InUse = 1;
  EXPECT_EQ(ChannelTexts(c, 12), Row({"011", "118.00833", "TWR", "AM", "DCS", "100.0", " 67.0",
                                      "023", "REV", "3300", "2280"}));
  // "REV DCS" belongs to tone select "DCS" only.
  c.ToneSelect = 1;
  EXPECT_EQ(ChannelText(c, 12, ChannelColumn::kRevDcs), "");
  c.ToneSelect = 5;
  c.RevDcs = 0;
  EXPECT_EQ(ChannelText(c, 12, ChannelColumn::kRevDcs), "NORMAL");

  // Position 0 is blank in every list but tone select; positions outside a table are blank.
  c = {2, "", "", 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(ChannelTexts(c, 12), Row({"011", "", "", "", "VFO", "", "", "", "", "", ""}));
  c = {1, "abc", "", 9, 0, -1, 51, 300, 105, 2, 17, 57};
  EXPECT_EQ(ChannelTexts(c, 12), Row({"011", "0.00000", "", "", "", "", "", "", "", "", ""}));
}

TEST(DisplayTexts, SearchBandLabels) {
  EXPECT_EQ(SearchBandLabel(0) + SearchBandLabel(22) + SearchBandLabel(23), "L00L22L--");
}

}  // namespace
}  // namespace kestrel
