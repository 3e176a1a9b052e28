#include "model/record_check.h"

#include <gtest/gtest.h>

#include "model/defaults.h"

namespace kestrel {
namespace {

std::vector<std::string> Texts(const std::vector<Finding>& warnings) {
  std::vector<std::string> texts;
  for (const Finding& warning : warnings) {
    EXPECT_EQ(warning.severity, Severity::kWarning);
    texts.push_back(FindingText(warning));
  }
  return texts;
}

TEST(RecordCheck, NamesValuesOutsideTheirTablesAndChannelsTheEditorRefuses) {
  EXPECT_TRUE(CheckRecord(NewConfiguration()).empty());

  RadioConfig record = NewConfiguration();
  record.SetMode[fn::kPause] = 12;
  record.SetMode[fn::kVolt] = 200;  // no table: never sent
  record.Channel(12) = {1, "145001000", "", 1, 1, 0, 0, 0, 0, -1, 0, 0};
  record.Channel(13) = {1, "145000000", "", 1, 3, 1, 60, 0, 0, -1, 0, 0};
  record.Channel(800) = {1, "145000000", "", 1, 13, 0, 0, 0, 0, 2, 0, 0};
  record.Channel(1) = {1, "145000000", "", 1, 13, 0, 0, 0, 0, -1, 0, 0};  // the first and last
  record.Channel(kChannelCount) = {1, "145000000", "", 1, 13, 0, 0, 0, 0, -1, 0, 0};
  record.Channel(900) = {0, "1", "", 9, 99, 9, 99, 99, 999, 9, 99, 99};   // empty: not sent
  record.Channel(901) = {-1, "1", "", 9, 99, 9, 99, 99, 999, 9, 99, 99};  // nor is InUse -1
  const std::vector<std::string> outside{
      "Set Mode PAUSE: 12 is not in the pause table",
      "channel 000, STEP: 13 is not in the step table",
      "channel 012, TSQ: 60 is not in the tone table",
      "channel 799, STEP: 13 is not in the step table",
      "channel 799, REV DCS: 2 is not in the DCS polarity table",
      "channel 999, STEP: 13 is not in the step table",
  };
  EXPECT_EQ(Texts(ValuesOutsideTables(record)), outside);
  EXPECT_EQ(Texts(CheckRecord(record)),
            (std::vector<std::string>{
                outside[0], outside[1],
                "channel 011, Frequency: 145.00100 MHz is on no tuning raster: 5, 6.25 or 8.33 "
                "kHz, or 9 kHz for AM broadcast",
                outside[2], outside[3], outside[4], outside[5]}));
}

}  // namespace
}  // namespace kestrel
