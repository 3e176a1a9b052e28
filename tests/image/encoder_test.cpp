#include "image/encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "image/image_map.h"
#include "model/defaults.h"

namespace kestrel {
namespace {

namespace map = image_map;

// Each problem as the command line tells it; every one refuses the encoding.
std::vector<std::string> Texts(const std::vector<Finding>& problems) {
  std::vector<std::string> texts;
  for (const Finding& problem : problems) {
    EXPECT_EQ(problem.severity, Severity::kProblem);
    texts.push_back(FindingText(problem));
  }
  return texts;
}

// `count` bytes from `address` in hex ("40 86 A4"), or with `words` little-endian words in
// decimal ("4 3 0").
std::string Dump(const MemoryImage& image, std::size_t address, std::size_t count,
                 bool words = false) {
  std::string text;
  for (std::size_t k = 0; k < count; ++k) {
    char number[8];
    const unsigned value = words ? image.Word(address + 2 * k) : image.Byte(address + k);
    std::snprintf(number, sizeof number, words ? " %u" : " %02X", value);
    text += number;
  }
  return text.substr(1);
}

MemoryImage Encoded(const RadioConfig& record, std::uint8_t fill = 0) {
  MemoryImage image;
  image.Fill(fill);
  EXPECT_TRUE(EncodeImage(record, image).has_value());
  return image;
}

TEST(EncodeImage, ChannelBitmapsCountsAndLowestChannel) {
  // The programmed channels, the bitmap's bytes that are not 0, the counts of all channels and
  // then per hundred, and the lowest programmed channel's index.
  const std::tuple<std::vector<int>, std::map<std::size_t, int>, std::string, int> rows[] = {
      {{}, {}, "0 0 0 0 0 0 0 0 0 0 0", 0},
      {{150}, {{0x12, 0x20}}, "1 0 1 0 0 0 0 0 0 0 0", 149},
      {{1, 2, 9, 1000}, {{0, 0x03}, {1, 0x01}, {124, 0x80}}, "4 3 0 0 0 0 0 0 0 0 1", 0},
      // The last channel of one hundred and the first of the next, 099 and 100.
      {{100, 101}, {{12, 0x18}}, "2 1 1 0 0 0 0 0 0 0 0", 99}};
  for (const auto& [programmed, bitmap, counts, lowest] : rows) {
    SCOPED_TRACE(counts);
    RadioConfig record;  // no channel in use, all values 0
    for (int c : programmed) record.Channel(c).InUse = 2;
    record.Channel(500).InUse = -1;  // only values above 0 count as programmed
    MemoryImage image;
    image.Fill(0xFF);  // tables left by a read must not survive
    EXPECT_EQ(EncodeImage(record, image).value_or(-1), static_cast<int>(programmed.size()));
    EXPECT_EQ(Dump(image, 0x0820, 11, true), counts);
    EXPECT_EQ(Dump(image, 0x0840, 11, true), counts);
    EXPECT_EQ(image.Word(0x0010), lowest);
    for (std::size_t b = 0; b < 125; ++b) {
      const int expected = bitmap.contains(b) ? bitmap.at(b) : 0;
      ASSERT_EQ(image.Byte(0x0860 + b), expected) << b;
      ASSERT_EQ(image.Byte(0x08E0 + b), expected) << b;
    }
  }
}

TEST(EncodeImage, ChannelSlots) {
  RadioConfig record;  // no channel in use, all values 0
  // InUse, Frequency, Name, Mode, Step, ToneSelect, TsqTone, RevTsqTone, DcsCode, RevDcs,
  // Scrambler, TrainTone.
  record.Channel(1) = {1, "145000000", "AB", 2, 12, 0, 50, 8, 104, 1, 16, 56};
  record.Channel(2) = {1, "118008333.5", "ABCDEFGH", 0, 0, 1};       // halves round to even
  record.Channel(3) = {1, "118008334.5", "", 0, 0, 2, 0, 0, 0, -1};  // -1: not a DCS channel
  record.Channel(4) = {1, "", "", 0, 0, 3};                          // in use without a frequency
  record.Channel(5) = {1, "", "", 0, 0, 4};
  record.Channel(6) = {1, "", "", 0, 0, 5};
  record.Channel(7) = {0, "145000000", "KEPT", 0, 5};  // left by Clear: written as held
  record.Channel(8) = {-1, "145000000", "NEG", 0, 5};  // not programmed: the empty marker
  const MemoryImage image = Encoded(record);

  EXPECT_EQ(Dump(image, map::ChannelSlotAddress(1), 16),
            "40 86 A4 08 0C B2 88 38 E8 10 41 42 20 20 20 20");
  EXPECT_EQ(Dump(image, map::ChannelSlotAddress(2), 16),
            "0E AA 08 07 00 00 80 00 00 20 41 42 43 44 45 46");
  EXPECT_EQ(Dump(image, map::ChannelSlotAddress(3), 10), "0E AA 08 07 00 00 80 00 80 60");
  // Tone select code 2 is never written: positions 3 to 5 are codes 4 to 6.
  EXPECT_EQ(Dump(image, map::ChannelSlotAddress(4), 10), "00 00 00 00 00 00 80 00 00 80");
  EXPECT_EQ(image.Byte(map::ChannelSlotAddress(5) + 9), 0xA0);
  EXPECT_EQ(image.Byte(map::ChannelSlotAddress(6) + 9), 0xC0);
  EXPECT_EQ(Dump(image, map::ChannelSlotAddress(7), 16),
            "A0 86 01 00 05 00 40 00 00 00 4B 45 50 54 20 20");
  EXPECT_EQ(Dump(image, map::ChannelSlotAddress(8), 16),
            "40 86 A4 08 05 00 40 00 00 00 4E 45 47 20 20 20");
  for (int c = 9; c <= kChannelCount; ++c) {
    ASSERT_EQ(Dump(image, map::ChannelSlotAddress(c), 16),
              "A0 86 01 00 00 00 40 00 00 00 20 20 20 20 20 20")
        << c;
  }
}

TEST(EncodeImage, SetModeBytesAndSearchBandLimits) {
  RadioConfig record;  // no channel in use, all values 0
  record.SetMode.fill(1);
  record.SetMode[fn::kVolt] = 200;  // the five functions without a table always go out as 0
  record.SetMode[fn::kTsq] = -1;    // no selection of a "+ 1" function: byte 0
  record.Band(0) = {"", ""};        // not set: the full range
  record.Band(1) = {"118.00000", "136.99166"};
  record.Band(23) = {"0.1", "1299.995"};
  const MemoryImage image = Encoded(record);
  EXPECT_EQ(Dump(image, 0x0300, 35),
            "01 01 01 01 01 01 01 02 01 01 01 01 00 00 00 00 01 01 01 01 00 02 02 02 01 02 01 01 "
            "01 00 01 01 01 01 01");
  EXPECT_EQ(Dump(image, 0x0340, 16), "A0 86 01 00 78 59 7C 4D 80 89 08 07 AC 53 2A 08");
  EXPECT_EQ(Dump(image, 0x03F8, 8), "A0 86 01 00 78 59 7C 4D");
}

TEST(EncodeImage, FactoryAreas) {
  RadioConfig record;
  FactorySettings& f = record.Factory;
  f.DcsErrorBit = 2;
  f.UnlockWait = {20, 50, 70};
  f.FixCount = {1, 3, 1, 4, 3, 8, 4, 3};
  f.TrainFixTime = 1000;
  f.SqlLevel = {100, 220, 1000, 1100, -5, -7};
  f.SMeterLevel = {100, 900, 100, 110, 65535, 0};
  f.PwmAm = {1, 2, 3, 4};
  f.PwmSw = {5, 6, 7, 8};
  MemoryImage image = Encoded(record);
  // Charge minutes, 4 bytes kept, unlock waits 20 50 70, DCS error bit, 1 byte kept, fix counts,
  // train fix time 1000.
  EXPECT_EQ(Dump(image, 0x0040, 24),
            "3C 00 00 00 00 00 14 00 32 00 46 00 02 00 01 03 01 04 03 08 04 03 E8 03");
  EXPECT_EQ(Dump(image, 0x07F0, 10), "01 01 02 03 04 05 06 07 08 08");
  EXPECT_EQ(Dump(image, 0x06B0, 10, true), "0 100 200 300 400 500 600 700 800 900");
  // x 1.0625, halves to even: 637.5 -> 638, 212.5 -> 212.
  EXPECT_EQ(Dump(image, 0x06D0, 10, true), "0 106 212 319 425 531 638 744 850 956");
  // d = 1.25: S1 = 100 - floor(1.25).
  EXPECT_EQ(Dump(image, 0x06F0, 10, true), "99 100 101 102 103 105 106 107 108 110");
  // Falling table: points clamp at 65535, S1 = 65535 + 8192 clamps too.
  EXPECT_EQ(Dump(image, 0x0710, 10, true),
            "65535 65535 57343 49151 40959 32767 24575 16383 8191 0");
  EXPECT_EQ(Dump(image, 0x0730, 16, true),
            "65535 90 100 110 120 130 140 150 160 170 180 190 200 210 220 230");
  // d = 8.33: the k = -1 point is floor(-8.33) = -9 below Threshold.
  EXPECT_EQ(Dump(image, 0x0750, 16, true),
            "65535 991 1000 1008 1016 1025 1033 1041 1050 1058 1066 1075 1083 1091 1100 1108");
  // Negative levels go out as 0; the record keeps them.
  EXPECT_EQ(Dump(image, 0x0770, 16, true), "65535 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
  EXPECT_EQ(f.SqlLevel[4], -5);
  // Levels - 128: (-28 -> 0, 92), d = 7.67.
  EXPECT_EQ(Dump(image, 0x0790, 16, true), "65535 0 0 7 15 23 30 38 46 53 61 69 76 84 92 99");
  EXPECT_EQ(Dump(image, 0x07B0, 4, true), "65535 863 872 880");

  f.SMeterLevel[0] = 32768;
  f.SMeterLevel[1] = 65535;
  image = Encoded(record);
  EXPECT_EQ(image.Word(0x06D2), 34816);  // 32768 x 1.0625
  EXPECT_EQ(image.Word(0x06E2), 65535);  // 69631.7 stops at the top
}

TEST(EncodeImage, WritesOnlyItsOwnAreas) {
  // Inclusive; 0x0042-0x0045 and 0x004D inside the factory area are not produced.
  const std::pair<std::size_t, std::size_t> areas[] = {
      {0x0010, 0x0011}, {0x0040, 0x0041}, {0x0046, 0x004C}, {0x004E, 0x0057},
      {0x0300, 0x0322}, {0x0340, 0x03FF}, {0x06B0, 0x06C3}, {0x06D0, 0x06E3},
      {0x06F0, 0x0703}, {0x0710, 0x0723}, {0x0730, 0x07F9}, {0x0820, 0x0835},
      {0x0840, 0x0855}, {0x0860, 0x08DC}, {0x08E0, 0x095C}, {0x1000, 0x4E7F}};
  RadioConfig record = NewConfiguration();
  for (const std::uint8_t base : {0x00, 0xA5}) {
    const MemoryImage image = Encoded(record, base);
    for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
      if (std::ranges::none_of(areas, [a](auto r) { return a >= r.first && a <= r.second; })) {
        ASSERT_EQ(image.Byte(a), base) << std::hex << a;
      }
    }
  }
}

TEST(CheckEncodable, RefusedRecordNamesEveryProblemAndChangesNothing) {
  RadioConfig record = NewConfiguration();
  // At the edges, and so no problem.
  record.SetMode[fn::kLamp] = 255;
  record.SetMode[fn::kDcs] = 254;            // byte 255
  record.SetMode[fn::kSearchMemory] = 4000;  // never sent
  record.Channel(1).InUse = 1;
  record.Channel(1).Frequency = "2147483647";
  record.Channel(1).Step = 255;
  record.Channel(2).Frequency = "-5";  // not in use: written with 0.1 MHz
  record.Band(0).UpperFrequency = "2147.483647";
  record.Factory.UnlockWait[0] = 65535;
  record.Factory.SMeterLevel[1] = -5;  // encoded as 0, but only by a successful encode
  // Problems, in the order they are reported.
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
  record.Factory.PwmAm[0] = 300;
  record.Factory.PwmSw[3] = -1;

  const std::string byte = " does not fit a byte (0 to 255)";
  const std::string word = " does not fit a 16-bit word (0 to 65535)";
  const std::vector<std::string> expected = {
      "Set Mode STEP: position -1" + byte,
      "Set Mode PAUSE: position 255 is stored as 256, which" + byte,
      "channel 011, STEP: 256" + byte,
      "channel 011, TRAIN: -1" + byte,
      "channel 012, Frequency: \"2147483648\" Hz is outside 0 to 2147483647 Hz",
      "channel 013, Frequency: \"-0.6\" Hz is outside 0 to 2147483647 Hz",
      "search band 3, lower limit: \"2147.483648\" MHz is outside 0 to 2147.483647 MHz",
      "search band 3, upper limit: \"-1\" MHz is outside 0 to 2147.483647 MHz",
      "Factory Settings, ChargeTime: 1092 gives 65580 minutes, which" + word,
      "Factory Settings, DcsErrorBit: 256" + byte,
      "Factory Settings, UnlockWait[1]: 65536" + word,
      "Factory Settings, FixCount[2]: -1" + byte,
      "Factory Settings, TrainFixTime: 70000" + word,
      "Factory Settings, SqlLevel[3]: 65536" + word,
      "Factory Settings, SMeterLevel[0]: 70000" + word,
      "Factory Settings, PwmAm[0]: 300" + byte,
      "Factory Settings, PwmSw[3]: -1" + byte};
  EXPECT_EQ(Texts(CheckEncodable(record)), expected);

  const RadioConfig before = record;
  MemoryImage image;
  image.Fill(0x5A);
  const MemoryImage image_before = image;
  const auto result = EncodeImage(record, image);
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(Texts(result.error()), expected);
  EXPECT_EQ(record, before);
  EXPECT_EQ(image, image_before);
}

// The charge time is stored as (time + 1) * 60 minutes in a word: -1 and 1091 fit, -2 and 1092
// do not.
TEST(Encoder, ChargeTimeFitsItsWordFromBothEnds) {
  for (const auto& [time, fits] : {std::pair{-2, false}, {-1, true}, {1091, true}, {1092, false}}) {
    RadioConfig record = NewConfiguration();
    record.Factory.ChargeTime = time;
    EXPECT_EQ(CheckEncodable(record).empty(), fits) << time;
  }
}

}  // namespace
}  // namespace kestrel
