#include "image/encoder.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "image/image_map.h"
#include "model/defaults.h"

namespace kestrel {
namespace {

namespace map = image_map;

RadioConfig EmptyRecord() {
  RadioConfig record = NewConfiguration();
  for (int c = 1; c <= kChannelCount; ++c) ClearChannel(record, c);
  return record;
}

int Encode(RadioConfig& record, MemoryImage& image) {
  const auto result = EncodeImage(record, image);
  EXPECT_TRUE(result.has_value());
  return result.value_or(-1);
}

std::vector<int> Words(const MemoryImage& image, std::size_t address, std::size_t count) {
  std::vector<int> words;
  for (std::size_t k = 0; k < count; ++k) words.push_back(image.Word(address + 2 * k));
  return words;
}

std::vector<int> Bytes(const MemoryImage& image, std::size_t address, std::size_t count) {
  std::vector<int> bytes;
  for (std::size_t k = 0; k < count; ++k) bytes.push_back(image.Byte(address + k));
  return bytes;
}

TEST(EncodeImage, ChannelFrequencyAndBitmapPositions) {
  RadioConfig record = EmptyRecord();
  for (int c : {1, 9, 1000}) {
    record.Channel(c).InUse = 1;
    record.Channel(c).Frequency = "145000000";
  }
  record.Channel(2).InUse = 1;
  record.Channel(2).Frequency = "118008333.5";  // halves round to even
  MemoryImage image;
  EXPECT_EQ(Encode(record, image), 4);

  EXPECT_EQ(Bytes(image, map::ChannelSlotAddress(1), 4),
            (std::vector<int>{0x40, 0x86, 0xA4, 0x08}));
  EXPECT_EQ(image.Long(map::ChannelSlotAddress(2)), 118008334u);
  EXPECT_EQ(image.Byte(0x0860), 0x03);  // channels 1 and 2
  EXPECT_EQ(image.Byte(0x0861), 0x01);  // channel 9
  EXPECT_EQ(image.Byte(0x08DC), 0x80);  // channel 1000
  EXPECT_EQ(image.Byte(0x08E1), 0x01);
  EXPECT_EQ(image.Byte(0x095C), 0x80);
  EXPECT_EQ(image.Word(0x0010), 0);
  EXPECT_EQ(Words(image, 0x0820, 11), (std::vector<int>{4, 3, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(EncodeImage, OnlyChannel150Programmed) {
  RadioConfig record = EmptyRecord();
  record.Channel(150).InUse = 1;
  record.Channel(150).Frequency = "430000000";
  MemoryImage image;
  image.Fill(0xFF);  // a bitmap left by a read must not survive
  EXPECT_EQ(Encode(record, image), 1);

  const std::vector<int> counts{1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Words(image, 0x0820, 11), counts);
  EXPECT_EQ(Words(image, 0x0840, 11), counts);
  for (std::size_t b = 0; b < 125; ++b) {
    const int expected = b == 0x12 ? 0x20 : 0;
    EXPECT_EQ(image.Byte(0x0860 + b), expected) << b;
    EXPECT_EQ(image.Byte(0x08E0 + b), expected) << b;
  }
  EXPECT_EQ(image.Word(0x0010), 149);
  EXPECT_EQ(image.Byte(map::ChannelSlotAddress(150) + 6), 0x80);
}

TEST(EncodeImage, NoChannelProgrammed) {
  RadioConfig record = EmptyRecord();
  // Left by the editor's Clear: not in use, fields still filled. Counts as empty everywhere,
  // but its fields and name are written as held.
  record.Channel(7).Frequency = "145000000";
  record.Channel(7).Name = "KEPT";
  record.Channel(7).Step = 5;
  MemoryImage image;
  image.Fill(0xFF);
  EXPECT_EQ(Encode(record, image), 0);

  EXPECT_EQ(Words(image, 0x0820, 11), std::vector<int>(11, 0));
  EXPECT_EQ(Words(image, 0x0840, 11), std::vector<int>(11, 0));
  EXPECT_EQ(Bytes(image, 0x0860, 125), std::vector<int>(125, 0));
  EXPECT_EQ(Bytes(image, 0x08E0, 125), std::vector<int>(125, 0));
  EXPECT_EQ(image.Word(0x0010), 0);
  const std::vector<int> empty_slot{0xA0, 0x86, 0x01, 0x00, 0,   0,   0x40, 0,
                                    0,    0,    ' ',  ' ',  ' ', ' ', ' ',  ' '};
  for (int c = 1; c <= kChannelCount; ++c) {
    if (c == 7) continue;
    ASSERT_EQ(Bytes(image, map::ChannelSlotAddress(c), 16), empty_slot) << c;
  }
  const std::size_t s7 = map::ChannelSlotAddress(7);
  EXPECT_EQ(image.Long(s7), 100000u);
  EXPECT_EQ(image.Byte(s7 + 4), 5);
  EXPECT_EQ(image.Byte(s7 + 6), 0x40);
  EXPECT_EQ(Bytes(image, s7 + 10, 6), (std::vector<int>{'K', 'E', 'P', 'T', ' ', ' '}));
}

TEST(EncodeImage, ChannelFieldsAndToneSelectCodes) {
  RadioConfig record = EmptyRecord();
  for (int c = 1; c <= 6; ++c) {
    MemoryChannel& channel = record.Channel(c);
    channel.InUse = 1;
    channel.ToneSelect = static_cast<std::int16_t>(c - 1);
  }
  MemoryChannel& full = record.Channel(1);
  full.Frequency = "";  // in use without a frequency: 0 Hz
  full.Mode = 2;
  full.Step = 12;
  full.TsqTone = 50;
  full.RevTsqTone = 8;
  full.TrainTone = 56;
  full.DcsCode = 104;
  full.RevDcs = 1;
  full.Scrambler = 16;
  full.Name = "AB";
  record.Channel(2).Name = "ABCDEFGH";
  record.Channel(3).RevDcs = -1;  // stored by the editor when the tone select is not DCS
  MemoryImage image;
  Encode(record, image);

  const std::size_t s1 = map::ChannelSlotAddress(1);
  EXPECT_EQ(Bytes(image, s1, 16), (std::vector<int>{0, 0, 0, 0, 12, 50 | 0x80, 8 | 0x80, 56,
                                                    104 | 0x80, 16, 'A', 'B', ' ', ' ', ' ', ' '}));
  EXPECT_EQ(Bytes(image, map::ChannelSlotAddress(2) + 10, 6),
            (std::vector<int>{'A', 'B', 'C', 'D', 'E', 'F'}));
  EXPECT_EQ(image.Byte(map::ChannelSlotAddress(3) + 8), 0x80);
  const int codes[6] = {0, 1, 3, 4, 5, 6};  // code 2 is never written
  for (int c = 1; c <= 6; ++c) {
    EXPECT_EQ(image.Byte(map::ChannelSlotAddress(c) + 9) >> 5, codes[c - 1]) << c;
  }
}

TEST(EncodeImage, SetModeBytes) {
  RadioConfig record = EmptyRecord();
  for (int f = 0; f < kSetModeFunctionCount; ++f) record.SetMode[static_cast<std::size_t>(f)] = 1;
  record.SetMode[fn::kSearchMemory] = 3;
  record.SetMode[fn::kVolt] = 200;
  record.SetMode[fn::kTsq] = -1;  // no selection: byte 0
  MemoryImage image;
  Encode(record, image);
  for (int f = 0; f < kSetModeFunctionCount; ++f) {
    int expected = 1;
    if (f == fn::kPause || f == fn::kRevTsq || f == fn::kTrainTone || f == fn::kScrambler ||
        f == fn::kDcs) {
      expected = 2;
    } else if (f == fn::kTsq || (f >= fn::kSearchMemory && f <= fn::kMemorySkipClear) ||
               f == fn::kVolt) {
      expected = 0;
    }
    EXPECT_EQ(image.Byte(0x0300 + static_cast<std::size_t>(f)), expected) << f;
  }
}

TEST(EncodeImage, SearchBandLimits) {
  RadioConfig record = EmptyRecord();
  record.Band(0) = {"", ""};
  record.Band(1) = {"118.00000", "136.99166"};
  record.Band(23) = {"0.1", "1299.995"};
  MemoryImage image;
  Encode(record, image);
  EXPECT_EQ(image.Long(0x0340), 100000u);
  EXPECT_EQ(image.Long(0x0344), 1299995000u);
  EXPECT_EQ(image.Long(0x0348), 118000000u);
  EXPECT_EQ(image.Long(0x034C), 136991660u);
  EXPECT_EQ(image.Long(0x03F8), 100000u);
  EXPECT_EQ(image.Long(0x03FC), 1299995000u);
}

TEST(EncodeImage, SMeterAndSquelchTables) {
  RadioConfig record = EmptyRecord();
  FactorySettings& f = record.Factory;
  f.SMeterLevel = {100, 900, 100, 110, 65535, 0};
  f.SqlLevel = {100, 220, 1000, 1100, -5, -7};
  MemoryImage image;
  Encode(record, image);

  EXPECT_EQ(Words(image, 0x06B0, 10),
            (std::vector<int>{0, 100, 200, 300, 400, 500, 600, 700, 800, 900}));
  // x 1.0625, halves to even: 637.5 -> 638, 212.5 -> 212.
  EXPECT_EQ(Words(image, 0x06D0, 10),
            (std::vector<int>{0, 106, 212, 319, 425, 531, 638, 744, 850, 956}));
  // d = 1.25: S1 = 100 - floor(1.25).
  EXPECT_EQ(Words(image, 0x06F0, 10),
            (std::vector<int>{99, 100, 101, 102, 103, 105, 106, 107, 108, 110}));
  // Falling table: points clamp at 65535, S1 = 65535 + 8192 clamps too.
  EXPECT_EQ(Words(image, 0x0710, 10),
            (std::vector<int>{65535, 65535, 57343, 49151, 40959, 32767, 24575, 16383, 8191, 0}));

  EXPECT_EQ(Words(image, 0x0730, 16), (std::vector<int>{0xFFFF, 90, 100, 110, 120, 130, 140, 150,
                                                        160, 170, 180, 190, 200, 210, 220, 230}));
  // d = 8.33: the k = -1 point is floor(-8.33) = -9 below Threshold.
  EXPECT_EQ(Words(image, 0x0750, 16),
            (std::vector<int>{0xFFFF, 991, 1000, 1008, 1016, 1025, 1033, 1041, 1050, 1058, 1066,
                              1075, 1083, 1091, 1100, 1108}));
  EXPECT_EQ(Words(image, 0x0770, 16),
            (std::vector<int>{0xFFFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(f.SqlLevel[4], 0);  // negative levels are zeroed in the record too
  EXPECT_EQ(f.SqlLevel[5], 0);

  // Levels - 128: (-28 -> 0, 92), d = 7.67.
  EXPECT_EQ(Words(image, 0x0790, 16),
            (std::vector<int>{0xFFFF, 0, 0, 7, 15, 23, 30, 38, 46, 53, 61, 69, 76, 84, 92, 99}));
  EXPECT_EQ(Words(image, 0x07B0, 4), (std::vector<int>{0xFFFF, 863, 872, 880}));
}

TEST(EncodeImage, ScaledFmTableAtTheTopOfTheRange) {
  RadioConfig record = EmptyRecord();
  record.Factory.SMeterLevel[0] = 32768;
  record.Factory.SMeterLevel[1] = 65535;
  MemoryImage image;
  Encode(record, image);
  EXPECT_EQ(image.Word(0x06D2), 34816);  // 32768 x 1.0625
  EXPECT_EQ(image.Word(0x06E2), 65535);  // 69631.7 stops at the top
}

TEST(EncodeImage, FactoryValues) {
  RadioConfig record = EmptyRecord();  // the factory defaults
  record.Factory.PwmAm = {1, 2, 3, 4};
  record.Factory.PwmSw = {5, 6, 7, 8};
  MemoryImage image;
  Encode(record, image);
  EXPECT_EQ(image.Word(0x0040), 1440);  // 24 hours
  EXPECT_EQ(Words(image, 0x0046, 3), (std::vector<int>{20, 50, 70}));
  EXPECT_EQ(image.Byte(0x004C), 2);
  EXPECT_EQ(Bytes(image, 0x004E, 8), (std::vector<int>{1, 3, 1, 4, 3, 8, 4, 3}));
  EXPECT_EQ(image.Word(0x0056), 1000);
  EXPECT_EQ(Bytes(image, 0x07F0, 10), (std::vector<int>{1, 1, 2, 3, 4, 5, 6, 7, 8, 8}));
  EXPECT_EQ(image.Word(0x0734), 9664);
  EXPECT_EQ(image.Word(0x06B2), 18213);

  record.Factory.ChargeTime = 0;
  Encode(record, image);
  EXPECT_EQ(image.Word(0x0040), 60);
}

TEST(EncodeImage, WritesOnlyItsOwnAreas) {
  std::set<std::size_t> written;
  auto area = [&](std::size_t first, std::size_t last) {
    for (std::size_t a = first; a <= last; ++a) written.insert(a);
  };
  area(0x0010, 0x0011);
  area(0x0040, 0x004C);  // 0x0042-0x0045 and 0x004D are not produced
  area(0x004E, 0x0057);
  area(0x0300, 0x0322);
  area(0x0340, 0x03FF);
  area(0x06B0, 0x06C3);
  area(0x06D0, 0x06E3);
  area(0x06F0, 0x0703);
  area(0x0710, 0x0723);
  area(0x0730, 0x07F9);
  area(0x0820, 0x0835);
  area(0x0840, 0x0855);
  area(0x0860, 0x08DC);
  area(0x08E0, 0x095C);
  area(0x1000, 0x4E7F);
  for (std::size_t a : {0x0042, 0x0043, 0x0044, 0x0045, 0x004D}) written.erase(a);

  RadioConfig record = NewConfiguration();
  for (const std::uint8_t base : {0x00, 0xA5}) {
    MemoryImage image;
    image.Fill(base);
    Encode(record, image);
    for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
      if (written.contains(a)) continue;
      ASSERT_EQ(image.Byte(a), base) << std::hex << a;
    }
  }
}

}  // namespace
}  // namespace kestrel
