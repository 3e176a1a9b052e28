#include "model/channel_rules.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

constexpr std::int16_t kFm = 1, kAm = 3, kTsq = 1, kDcs = 5;

TEST(ChannelRules, StepFollowsTheRastersInOrderAndAviationSnaps) {
  // 0.675 MHz AM is on the 25 kHz raster before the 9 kHz one, which is for AM broadcast only.
  const std::tuple<double, int, int> steps[] = {
      {145.5, kFm, 3},   {118.00833, kAm, 3}, {118.01666, kAm, 3}, {118.02499, kAm, 3},
      {0.999, kAm, 4},   {0.675, kAm, 3},     {1.62, kAm, 1},      {146.00625, kFm, 2},
      {146.005, kFm, 1}, {0.522, kAm, 4},     {1.611, kAm, 4}};  // the AM broadcast raster's first
                                                                 // and last
  for (const auto& [mhz, mode, step] : steps) {
    EXPECT_EQ(DeriveStep(mhz * 1e6, mode), step) << mhz << " mode " << mode;
  }
  for (const double mhz : {0.513, 1.629}) EXPECT_EQ(DeriveStep(mhz * 1e6, kAm), std::nullopt);
  for (const double mhz : {0.999, 146.00123}) EXPECT_EQ(DeriveStep(mhz * 1e6, kFm), std::nullopt);
  // Only step 3 snaps to the aviation raster.
  const std::tuple<double, int, const char*> texts[] = {
      {145.5, 3, "145500000"},     {118.00833, 3, "118008334"}, {118.01666, 3, "118016667"},
      {118.025, 3, "118025000"},   {118.02499, 3, "118025000"}, {118.00833, 1, "118008330"},
      {1299.995, 1, "1299995000"}, {0.1, 1, "100000"}};
  for (const auto& [mhz, step, stored] : texts) {
    EXPECT_EQ(StoredFrequencyText(mhz * 1e6, step), stored) << mhz;
  }
}

TEST(ChannelRules, BandModeChangesAtTheBandEdges) {
  constexpr std::int16_t kWfm = 2;
  const std::pair<double, std::int16_t> modes[] = {
      {0.1, kAm},        {29.99999, kAm}, {30, kFm},        {75.99999, kFm}, {76, kWfm},
      {107.99999, kWfm}, {108, kAm},      {136.99999, kAm}, {137, kFm},      {1299.995, kFm}};
  for (const auto& [mhz, mode] : modes) EXPECT_EQ(BandMode(mhz * 1e6), mode) << mhz;
}

TEST(ChannelRules, SteppedFrequenciesWalkTheStepAndThe833ChannelsByBlock) {
  const std::tuple<double, double, int, const char*> steps[] = {
      {146.0, 12.5, 0, "146.000000"},      {146.0, 12.5, 3, "146.037500"},
      {0.522, 9, 2, "0.540000"},           {118.0, 8.33, 1, "118.008330"},
      {118.0, 8.33, 2, "118.016660"},      {118.0, 8.33, 3, "118.025000"},
      {118.008334, 8.33, 2, "118.025000"}, {118.02499, 8.33, 0, "118.025000"}};
  for (const auto& [mhz, khz, count, text] : steps) {
    EXPECT_EQ(SteppedFrequencyText(mhz * 1e6, khz, count), text) << mhz << " + " << count;
  }
}

TEST(ChannelRules, AcceptedStepsAreTheRastersTheFrequencyLiesOn) {
  const std::tuple<double, int, std::vector<int>> steps[] = {
      {118.025, kAm, {1, 2, 3}}, {118.008334, kAm, {3}}, {118.00833, kFm, {3}},
      {146.52, kFm, {1}},        {146.00625, kFm, {2}},  {0.999, kAm, {4}},
      {0.999, kFm, {}},          {146.001, kFm, {}},     {118.016667, kAm, {3}}};
  for (const auto& [mhz, mode, accepted] : steps) {
    EXPECT_EQ(AcceptedSteps(mhz * 1e6, mode), accepted) << mhz;
  }
}

// What ValidateChannel gives for a refused entry: the field, why, and any step derived first.
// The finding names the field as messages do ("TsqTone").
std::unexpected<ChannelRefusal> Refused(ChannelField field, std::string reason,
                                        std::optional<std::int16_t> step = {}) {
  return std::unexpected(ChannelRefusal{
      field, {.field = std::string(FieldCaption(field)), .message = std::move(reason)}, step});
}

TEST(ChannelRules, ValidateStoresTheChannelOrNamesTheFirstProblem) {
  // Neither frequency nor mode changed: the stored step stays, whatever the rasters say.
  const MemoryChannel unchanged{1, "145500000", "", kFm, 7, 0, 0, 0, 0, -1, 0, 0};
  using F = ChannelField;
  const struct {
    ChannelEntry entry;
    std::expected<MemoryChannel, ChannelRefusal> result;
    MemoryChannel stored = {};  // as the record holds it before
  } rows[] = {
      {{.Frequency = "145.5", .Name = " voa ", .Mode = kFm},
       MemoryChannel{1, "145500000", " voa ", kFm, 3, 0, 0, 0, 0, -1, 0, 0}},
      {{.Frequency = "118.00833", .Mode = kAm, .ToneSelect = kTsq, .TsqTone = 13, .TrainTone = 5},
       MemoryChannel{1, "118008334", "", kAm, 3, kTsq, 13, 0, 0, -1, 0, 0}},  // TRAIN is not TSQ's
      {{.Frequency = "145.5", .Mode = kFm}, unchanged, unchanged},
      {{.Mode = kFm}, Refused(F::kFrequency, "no frequency is given")},
      {{.Frequency = "145.5"}, Refused(F::kMode, "no mode is chosen: FM, WFM or AM")},
      // The receiver's range: its first and last frequency stored, the next ones out refused.
      {{.Frequency = "0.1", .Mode = kFm},
       MemoryChannel{1, "100000", "", kFm, 3, 0, 0, 0, 0, -1, 0, 0}},
      {{.Frequency = "1299.995", .Mode = kFm},
       MemoryChannel{1, "1299995000", "", kFm, 1, 0, 0, 0, 0, -1, 0, 0}},
      {{.Frequency = "0.09999", .Mode = kFm},
       Refused(F::kFrequency,
               "0.09999 MHz is outside the receiver's range, 0.10000 MHz to 1299.99500 MHz")},
      {{.Frequency = "1299.99501", .Mode = kFm},
       Refused(F::kFrequency,
               "1299.99501 MHz is outside the receiver's range, 0.10000 MHz to 1299.99500 MHz")},
      {{.Frequency = "145.001", .Mode = kFm},
       Refused(F::kFrequency,
               "145.00100 MHz is on no tuning raster: 5, 6.25 or 8.33 kHz, or 9 kHz for AM "
               "broadcast")},
      {{.Frequency = "146.00625", .Mode = kFm, .ToneSelect = kTsq},
       Refused(F::kTsqTone, "tone select TSQ needs a tone", 2)},
      {{.Frequency = "146.005", .Mode = kFm, .ToneSelect = kDcs, .DcsCode = 1},
       Refused(F::kRevDcs, "tone select DCS needs a polarity, NORMAL or REV", 1)},
      {{.Frequency = "146.005", .Mode = kFm, .ToneSelect = kTsq, .TsqTone = 51},
       Refused(F::kTsqTone, "51 is not in the tone table", 1)},
      {{.Frequency = "146.005", .Mode = kFm, .ToneSelect = 6},
       Refused(F::kToneSelect, "6 is not in the tone select table", 1)},
      {{.Frequency = "146.005", .Name = "ABCDEFG", .Mode = kFm},
       Refused(F::kName, "\"ABCDEFG\" is longer than the receiver's 6 characters", 1)}};
  for (const auto& row : rows) {
    EXPECT_EQ(ValidateChannel(row.entry, row.stored), row.result) << row.entry.Frequency;
  }
  EXPECT_EQ(EntryOf(MemoryChannel{1, "118008334", " TWR ", kAm, 3, kDcs, 0, 0, 1, 1, 0, 0}),
            (ChannelEntry{"118.00833", "TWR", kAm, kDcs, 0, 0, 1, 1, 0, 0}));
}

}  // namespace
}  // namespace kestrel
