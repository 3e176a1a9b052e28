#include "model/defaults.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(NewConfiguration, PresetChannelsWithTheWelleOverlap) {
  const RadioConfig record = NewConfiguration();
  EXPECT_EQ(record.ProgrammedChannelCount(), 89);

  // InUse, Frequency, Name, Mode, Step, ToneSelect, TsqTone, RevTsqTone, DcsCode, RevDcs,
  // Scrambler, TrainTone.
  EXPECT_EQ(record.Channel(801), (MemoryChannel{1, "6030000", "VOA", 3, 1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(record.Channel(859).Name + record.Channel(859).Frequency, "LUXEMB6090000");
  EXPECT_EQ(record.Channel(964).Name + record.Channel(964).Frequency, "AUSTRA12080000");
  EXPECT_EQ(record.Channel(936).Frequency, "12030000");
  for (int n : {901, 902, 903, 904}) EXPECT_EQ(record.Channel(n).Name, "WELLE") << n;
  for (int n : {1, 800, 805, 860, 861, 862, 900, 965, 1000}) {
    EXPECT_EQ(record.Channel(n), MemoryChannel{}) << n;
  }
  for (int n = 1; n <= kChannelCount; ++n) EXPECT_LE(record.Channel(n).Name.size(), 6u) << n;
}

TEST(NewConfiguration, SetModeBandsAndFactoryDefaults) {
  const RadioConfig record = NewConfiguration();
  const std::array<std::int16_t, 35> expected{0, 2, 2, 0, 0,  0, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
                                              0, 0, 8, 8, 40, 5, 0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0};
  EXPECT_EQ(record.SetMode, expected);
  for (int b = 0; b < kSearchBandCount; ++b) {
    EXPECT_EQ(record.Band(b), (SearchBand{"0.10000", "1299.99500"})) << b;
  }
  // More factory values stand in the data file's golden lines.
  EXPECT_EQ(record.Factory.SMeterLevel[5], 26989);
  EXPECT_EQ(record.Factory.FixCount[5], 8);
}

}  // namespace
}  // namespace kestrel
