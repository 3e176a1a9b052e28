#include <gtest/gtest.h>

#include <vector>

#include "image/encoder.h"
#include "model/defaults.h"

namespace kestrel {
namespace {

std::vector<std::string> Places(const std::vector<EncodeProblem>& problems) {
  std::vector<std::string> places;
  for (const EncodeProblem& p : problems) places.push_back(p.place);
  return places;
}

TEST(CheckEncodable, DefaultsAndRangeEdgesEncode) {
  RadioConfig record = NewConfiguration();
  EXPECT_TRUE(CheckEncodable(record).empty());
  record.SetMode[fn::kStep] = 255;
  record.SetMode[fn::kPause] = 254;          // byte 255
  record.SetMode[fn::kSearchMemory] = 4000;  // never sent
  record.Channel(1).InUse = 1;
  record.Channel(1).Frequency = "2147483647";
  record.Channel(1).Step = 255;
  record.Channel(2).InUse = 0;
  record.Channel(2).Frequency = "-5";  // empty channels are written with 0.1 MHz
  record.Band(0).UpperFrequency = "2147.483647";
  record.Factory.ChargeTime = 1091;  // 65520 minutes
  record.Factory.UnlockWait = {65535, 0, 0};
  record.Factory.SMeterLevel[0] = -100;  // encoded as 0
  EXPECT_EQ(CheckEncodable(record), std::vector<EncodeProblem>{});
}

TEST(CheckEncodable, RefusedRecordNamesEveryProblemAndChangesNothing) {
  RadioConfig record = NewConfiguration();
  record.SetMode[fn::kStep] = -1;
  record.SetMode[fn::kPause] = 255;
  record.Channel(12).Step = 256;
  record.Channel(12).TrainTone = -1;
  record.Channel(13).InUse = 1;
  record.Channel(13).Frequency = "2147483648";
  record.Channel(14).InUse = -1;  // not programmed, but its frequency is still written
  record.Channel(14).Frequency = "-0.6";
  record.Band(2).LowFrequency = "2147.483648";
  record.Band(2).UpperFrequency = "-1";
  record.Factory.ChargeTime = 1092;
  record.Factory.DcsErrorBit = 256;
  record.Factory.UnlockWait[1] = 65536;
  record.Factory.FixCount[2] = -1;
  record.Factory.TrainFixTime = 70000;
  record.Factory.SqlLevel[3] = 65536;
  record.Factory.SMeterLevel[0] = 70000;
  record.Factory.SMeterLevel[1] = -5;  // would be zeroed by a successful encode
  record.Factory.PwmAm[0] = 300;
  record.Factory.PwmSw[3] = -1;

  const std::vector<EncodeProblem> problems = CheckEncodable(record);
  EXPECT_EQ(Places(problems), (std::vector<std::string>{
                                  "Set Mode STEP",
                                  "Set Mode PAUSE",
                                  "channel 011, Step",
                                  "channel 011, TrainTone",
                                  "channel 012, Frequency",
                                  "channel 013, Frequency",
                                  "search band 3, lower limit",
                                  "search band 3, upper limit",
                                  "Factory Settings, ChargeTime",
                                  "Factory Settings, DcsErrorBit",
                                  "Factory Settings, UnlockWait[1]",
                                  "Factory Settings, FixCount[2]",
                                  "Factory Settings, TrainFixTime",
                                  "Factory Settings, SqlLevel[3]",
                                  "Factory Settings, SMeterLevel[0]",
                                  "Factory Settings, PwmAm[0]",
                                  "Factory Settings, PwmSw[3]",
                              }));
  ASSERT_EQ(problems.size(), 17u);
  EXPECT_EQ(problems[0].message, "position -1 does not fit a byte (0 to 255)");
  EXPECT_EQ(problems[1].message,
            "position 255 is stored as 256, which does not fit a byte (0 to 255)");
  EXPECT_EQ(problems[2].message, "256 does not fit a byte (0 to 255)");
  EXPECT_EQ(problems[4].message, "\"2147483648\" Hz is outside 0 to 2147483647 Hz");
  EXPECT_EQ(problems[6].message, "\"2147.483648\" MHz is outside 0 to 2147.483647 MHz");
  EXPECT_EQ(problems[8].message,
            "1092 gives 65580 minutes, which does not fit a 16-bit word (0 to 65535)");
  EXPECT_EQ(problems[10].message, "65536 does not fit a 16-bit word (0 to 65535)");

  const RadioConfig before = record;
  MemoryImage image;
  image.Fill(0x5A);
  const MemoryImage image_before = image;
  const auto result = EncodeImage(record, image);
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(result.error(), problems);
  EXPECT_EQ(record, before);
  EXPECT_EQ(image, image_before);
}

}  // namespace
}  // namespace kestrel
