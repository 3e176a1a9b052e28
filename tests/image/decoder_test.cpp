#include "image/decoder.h"

#include <gtest/gtest.h>

#include "image/image_map.h"
#include "model/defaults.h"

namespace kestrel {
namespace {

namespace map = image_map;

// A record as the read leaves it before decoding: channels marked from the image's bitmap.
RadioConfig MarkedRecord(const MemoryImage& image) {
  RadioConfig record = NewConfiguration();
  MarkUsedChannels(image, record);
  return record;
}

TEST(MarkUsedChannels, ClearsEveryChannelAndFollowsTheBitmap) {
  MemoryImage image;
  image.SetByte(0x0860, 0x01);  // channel 1
  image.SetByte(0x0861, 0x80);  // channel 16
  image.SetByte(0x08DC, 0x80);  // channel 1000
  image.SetByte(0x08E0, 0xFF);  // the copy decides nothing
  RadioConfig record = NewConfiguration();
  EXPECT_EQ(MarkUsedChannels(image, record), 3);
  for (int c = 1; c <= kChannelCount; ++c) {
    MemoryChannel expected;
    expected.InUse = (c == 1 || c == 16 || c == 1000) ? 1 : 0;
    ASSERT_EQ(record.Channel(c), expected) << c;
  }

  image.Fill(0);
  EXPECT_EQ(MarkUsedChannels(image, record), 0);
  EXPECT_EQ(record.ProgrammedChannelCount(), 0);
}

TEST(DecodeImage, SetModePositions) {
  MemoryImage image;
  image.SetByte(0x0300 + fn::kStep, 13);  // beyond "100": reset to 0
  image.SetByte(0x0300 + fn::kFastStep, 4);
  image.SetByte(0x0300 + fn::kTsq, 9);         // " 88.5"
  image.SetByte(0x0300 + fn::kRevTsq, 0);      // no selection
  image.SetByte(0x0300 + fn::kTrainTone, 51);  // 50 fits the 56 train tones
  image.SetByte(0x0300 + fn::kDcs, 104);
  image.SetByte(0x0300 + fn::kVolt, 200);  // no table: kept
  image.SetByte(0x0300 + fn::kSearchMemory, 3);
  RadioConfig record = MarkedRecord(image);
  DecodeImage(image, record);
  EXPECT_EQ(record.SetMode[fn::kStep], 0);
  EXPECT_EQ(record.SetMode[fn::kFastStep], 4);
  EXPECT_EQ(record.SetMode[fn::kTsq], 8);
  EXPECT_EQ(record.SetMode[fn::kRevTsq], -1);
  EXPECT_EQ(record.SetMode[fn::kTrainTone], 50);
  EXPECT_EQ(record.SetMode[fn::kDcs], 103);
  EXPECT_EQ(record.SetMode[fn::kVolt], 200);
  EXPECT_EQ(record.SetMode[fn::kSearchMemory], 3);
  EXPECT_EQ(record.SetMode[fn::kPause], -1);  // byte 0 of a "+ 1" function

  image.SetByte(0x0300 + fn::kTsq, 51);  // position 50, beyond the last tone 49
  image.SetByte(0x0300 + fn::kStep, 12);
  DecodeImage(image, record);
  EXPECT_EQ(record.SetMode[fn::kTsq], 0);
  EXPECT_EQ(record.SetMode[fn::kStep], 12);
}

TEST(DecodeImage, UnwrittenSlotOfAChannelMarkedInUse) {
  MemoryImage image;
  image.Fill(0xFF);
  image.SetByte(0x0860, 0x00);
  image.SetByte(0x0861, 0x02);  // channel 10 only
  for (std::size_t b = 2; b < 125; ++b) image.SetByte(0x0860 + b, 0);
  RadioConfig record = MarkedRecord(image);
  DecodeImage(image, record);

  const MemoryChannel& channel = record.Channel(10);
  EXPECT_EQ(channel.InUse, 1);
  EXPECT_EQ(channel.Frequency, "0");
  EXPECT_EQ(channel.Step, 15);
  EXPECT_EQ(channel.TsqTone, 63);
  EXPECT_EQ(channel.Mode, 3);
  EXPECT_EQ(channel.RevTsqTone, 63);
  EXPECT_EQ(channel.TrainTone, 63);
  EXPECT_EQ(channel.DcsCode, 127);
  EXPECT_EQ(channel.RevDcs, 1);
  EXPECT_EQ(channel.Scrambler, 31);
  EXPECT_EQ(channel.ToneSelect, 6);
  EXPECT_EQ(channel.Name, std::string(6, '\xFF'));
  EXPECT_EQ(record.Channel(9), MemoryChannel{});  // not in use: left as cleared
}

TEST(DecodeImage, ChannelSlotFields) {
  MemoryImage image;
  image.SetByte(0x0860, 0xFF);  // channels 1 to 8
  const std::uint8_t slot[16] = {0x40, 0x86,       0xA4,          0x08, 0x23, 0x80 | 50, 0x80 | 8,
                                 40,   0x80 | 104, (2 << 5) | 16, 'A',  'B',  ' ',       ' ',
                                 ' ',  ' '};
  for (std::size_t k = 0; k < 16; ++k) image.SetByte(map::ChannelSlotAddress(1) + k, slot[k]);
  for (int code = 0; code <= 6; ++code) {
    image.SetByte(map::ChannelSlotAddress(code + 2) + 9, static_cast<std::uint8_t>(code << 5));
  }
  image.SetLong(map::ChannelSlotAddress(2), 0xFFFFFFFE);
  RadioConfig record = MarkedRecord(image);
  DecodeImage(image, record);

  const MemoryChannel& one = record.Channel(1);
  EXPECT_EQ(one.Frequency, "145000000");
  EXPECT_EQ(one.Step, 3);  // only bits 3-0
  EXPECT_EQ(one.Mode, 2);
  EXPECT_EQ(one.TsqTone, 50);
  EXPECT_EQ(one.RevTsqTone, 8);
  EXPECT_EQ(one.TrainTone, 40);
  EXPECT_EQ(one.DcsCode, 104);
  EXPECT_EQ(one.RevDcs, 1);
  EXPECT_EQ(one.Scrambler, 16);
  EXPECT_EQ(one.Name, "AB    ");  // trailing blanks kept
  const int tone_select[7] = {0, 1, 2, 2, 3, 4, 5};
  for (int code = 0; code <= 6; ++code) {
    EXPECT_EQ(record.Channel(code + 2).ToneSelect, tone_select[code]) << code;
  }
  EXPECT_EQ(record.Channel(2).Frequency, "4294967294");
}

TEST(DecodeImage, SearchBandTexts) {
  MemoryImage image;
  const std::uint8_t low[4] = {0xB9, 0xB9, 0x08, 0x07};  // 118012345 Hz
  for (std::size_t k = 0; k < 4; ++k) image.SetByte(0x0340 + k, low[k]);
  image.SetLong(0x0344, 1299995000);
  image.SetLong(0x0348, 0xFFFFFFFF);
  image.SetLong(0x034C, 0xFFFFFFFE);  // beyond any receiver: read as unsigned Hz
  image.SetLong(0x03F8, 100099);
  RadioConfig record = MarkedRecord(image);
  DecodeImage(image, record);
  EXPECT_EQ(record.Band(0).LowFrequency, "118.01230");
  EXPECT_EQ(record.Band(0).UpperFrequency, "1299.99500");
  EXPECT_EQ(record.Band(1).LowFrequency, "");
  EXPECT_EQ(record.Band(1).UpperFrequency, "4294.96720");
  EXPECT_EQ(record.Band(23).LowFrequency, "0.10000");
  EXPECT_EQ(record.Band(23).UpperFrequency, "0.00000");
}

TEST(DecodeImage, FactorySettingsClamps) {
  MemoryImage image;
  RadioConfig record = MarkedRecord(image);
  const struct {
    int minutes, charge_time;
  } charges[] = {{60, 0}, {1440, 23}, {1500, 13}, {59, -1}, {0xFFFF, 13}, {119, 0}};
  for (const auto& c : charges) {
    image.SetWord(0x0040, static_cast<std::uint16_t>(c.minutes));
    DecodeImage(image, record);
    EXPECT_EQ(record.Factory.ChargeTime, c.charge_time) << c.minutes;
  }

  const std::uint8_t fix[8] = {0, 1, 8, 9, 255, 4, 0, 3};
  for (std::size_t k = 0; k < 8; ++k) image.SetByte(0x004E + k, fix[k]);
  image.SetByte(0x004C, 200);
  image.SetWord(0x0046, 65535);
  image.SetWord(0x0048, 0);
  image.SetWord(0x004A, 70);
  const struct {
    int word, fix_time;
  } fix_times[] = {{0, 1}, {1, 1}, {5000, 5000}, {5001, 5000}, {1000, 1000}};
  for (const auto& t : fix_times) {
    image.SetWord(0x0056, static_cast<std::uint16_t>(t.word));
    DecodeImage(image, record);
    EXPECT_EQ(record.Factory.TrainFixTime, t.fix_time) << t.word;
  }
  EXPECT_EQ(record.Factory.FixCount, (std::array<std::int32_t, 8>{1, 1, 8, 8, 8, 4, 1, 3}));
  EXPECT_EQ(record.Factory.DcsErrorBit, 200);
  EXPECT_EQ(record.Factory.UnlockWait, (std::array<std::int32_t, 3>{65535, 0, 70}));
}

}  // namespace
}  // namespace kestrel
