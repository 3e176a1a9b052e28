// What a read makes of an image: first of bytes the encoder never writes, then of every field a
// valid record sends.
#include "image/decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "image/encoder.h"
#include "image/image_map.h"
#include "model/defaults.h"
#include "model/number_text.h"
#include "model/value_tables.h"

namespace kestrel {
namespace {

namespace map = image_map;

TEST(DecodeImage, SetModePositions) {
  // Past the end of its table a byte reads as position 0. "+ 1" functions give byte - 1, so their
  // byte 0 is -1 (no selection); functions without a table keep the byte.
  const std::tuple<int, int, int> rows[] = {
      {fn::kStep, 12, 12},  {fn::kStep, 13, 0},   {fn::kTsq, 50, 49},    {fn::kTsq, 51, 0},
      {fn::kRevTsq, 0, -1}, {fn::kDcs, 104, 103}, {fn::kVolt, 200, 200}, {fn::kSearchMemory, 3, 3}};
  for (const auto& [function, byte, position] : rows) {
    const auto f = static_cast<std::size_t>(function);
    MemoryImage image;
    image.SetByte(0x0300 + f, static_cast<std::uint8_t>(byte));
    RadioConfig record;
    DecodeImage(image, record);
    EXPECT_EQ(record.SetMode[f], position) << "function " << f << ", byte " << byte;
  }
}

TEST(DecodeImage, ChannelsInUseFollowTheFirstBitmapAndTheirSlotBitsAreMasked) {
  MemoryImage image;
  image.Fill(0xFF);  // slots never written; the bitmap copy decides nothing
  std::fill_n(image.Bytes().begin() + 0x0860, 125, 0);
  image.SetByte(0x0860, 0x07);  // channels 1 to 3
  image.SetLong(map::ChannelSlotAddress(2), 0xFFFFFFFE);
  image.SetByte(map::ChannelSlotAddress(2) + 9, 2 << 5);  // never written; read like code 3
  image.SetByte(map::ChannelSlotAddress(3) + 9, 3 << 5);
  RadioConfig record = NewConfiguration();
  EXPECT_EQ(MarkUsedChannels(image, record), 3);
  DecodeImage(image, record);
  // InUse, Frequency, Name, Mode, Step, ToneSelect, TsqTone, RevTsqTone, DcsCode, RevDcs,
  // Scrambler, TrainTone.
  EXPECT_EQ(record.Channel(1),
            (MemoryChannel{1, "0", std::string(6, '\xFF'), 3, 15, 6, 63, 63, 127, 1, 31, 63}));
  EXPECT_EQ(record.Channel(2).Frequency, "4294967294");
  EXPECT_EQ(record.Channel(2).ToneSelect, 2);
  EXPECT_EQ(record.Channel(3).ToneSelect, 2);
  for (int c = 4; c <= kChannelCount; ++c) ASSERT_EQ(record.Channel(c), MemoryChannel{}) << c;
}

TEST(DecodeImage, SearchBandLimitsAreCutTo100Hz) {
  const std::pair<std::uint32_t, const char*> rows[] = {
      {118012345, "118.01230"}, {0, "0.00000"}, {0xFFFFFFFE, "4294.96720"}, {0xFFFFFFFF, ""}};
  MemoryImage image;
  for (std::size_t k = 0; k < std::size(rows); ++k) image.SetLong(0x0340 + 4 * k, rows[k].first);
  RadioConfig record;
  DecodeImage(image, record);
  for (std::size_t k = 0; k < std::size(rows); ++k) {
    const SearchBand& band = record.Band(static_cast<int>(k / 2));
    EXPECT_EQ(k % 2 == 0 ? band.LowFrequency : band.UpperFrequency, rows[k].second) << k;
  }
}

TEST(DecodeImage, FactorySettingsAreClamped) {
  // One word in both places: ChargeTime is minutes / 60 - 1, and 13 above 23; TrainFixTime is
  // kept within 1 to 5000.
  const std::tuple<int, int, int> rows[] = {{0, -1, 1},        {59, -1, 59},     {60, 0, 60},
                                            {1440, 23, 1440},  {1500, 13, 1500}, {5001, 13, 5000},
                                            {0xFFFF, 13, 5000}};
  for (const auto& [word, charge_time, train_fix_time] : rows) {
    MemoryImage image;
    image.SetWord(0x0040, static_cast<std::uint16_t>(word));
    image.SetWord(0x0056, static_cast<std::uint16_t>(word));
    RadioConfig record;
    DecodeImage(image, record);
    EXPECT_EQ(record.Factory.ChargeTime, charge_time) << word;
    EXPECT_EQ(record.Factory.TrainFixTime, train_fix_time) << word;
  }
  MemoryImage image;
  const std::uint8_t fix[8] = {0, 1, 8, 9, 255, 4, 0, 3};
  std::ranges::copy(fix, image.Bytes().begin() + 0x004E);
  RadioConfig record;
  DecodeImage(image, record);
  EXPECT_EQ(record.Factory.FixCount, (std::array<std::int32_t, 8>{1, 1, 8, 8, 8, 4, 1, 3}));
}

RadioConfig RandomRecord(unsigned seed) {
  std::mt19937 random(seed);
  auto any = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto small = [&](int low, int high) { return static_cast<std::int16_t>(any(low, high)); };
  auto fill = [&](auto& values, int low, int high) {
    for (auto& v : values) v = any(low, high);
  };
  auto name = [&] {  // up to eight Windows-1252 bytes
    std::string text(static_cast<std::size_t>(any(0, 8)), ' ');
    for (char& c : text) c = static_cast<char>(any(0, 255));
    return text;
  };
  // MHz text as the pages write it (ten-Hz steps), or now and then empty.
  auto limit = [&] { return any(0, 9) == 0 ? "" : FormatFixed5(any(10000, 129999500) / 1e5); };

  RadioConfig record = NewConfiguration();
  for (int f = 0; f < kSetModeFunctionCount; ++f) {
    const int size = static_cast<int>(SetModeValueTable(f).size());
    // "+ 1" functions may hold -1 (no selection); functions without a table anything.
    record.SetMode[static_cast<std::size_t>(f)] =
        size == 0 ? small(-300, 300) : small(SetModeStoredPlusOne(f) ? -1 : 0, size - 1);
  }
  for (int c = 1; c <= kChannelCount; ++c) {
    // InUse, Frequency, Name, Mode, Step, ToneSelect, TsqTone, RevTsqTone, DcsCode, RevDcs,
    // Scrambler, TrainTone.
    const std::string hz = std::to_string(any(0, 2147483647)), text = name();
    record.Channel(c) = {small(-1, 2),  hz,           text,         small(0, 3),
                         small(0, 12),  small(0, 5),  small(0, 50), small(0, 50),
                         small(0, 104), small(-1, 1), small(0, 16), small(0, 56)};
  }
  for (int b = 0; b < kSearchBandCount; ++b) record.Band(b) = {limit(), limit()};
  FactorySettings& f = record.Factory;
  f.ChargeTime = any(0, 23);
  f.DcsErrorBit = any(0, 255);
  f.TrainFixTime = any(1, 5000);
  fill(f.UnlockWait, 0, 65535);
  fill(f.FixCount, 1, 8);
  fill(f.SqlLevel, -100, 65535);
  fill(f.SMeterLevel, -100, 65535);
  fill(f.PwmAm, 0, 255);
  fill(f.PwmSw, 0, 255);
  return record;
}

// What a read gives back of `sent` (as the encode left it), with the known losses of the image.
RadioConfig Expected(const RadioConfig& sent) {
  RadioConfig expected = sent;
  // The five functions without a table are the receiver's own: always sent as 0.
  for (int f = 0; f < kSetModeFunctionCount; ++f) {
    if (SetModeValueTable(f).empty()) expected.SetMode[static_cast<std::size_t>(f)] = 0;
  }
  for (int c = 1; c <= kChannelCount; ++c) {
    MemoryChannel& channel = expected.Channel(c);
    if (!channel.IsProgrammed()) {
      channel = MemoryChannel{};  // empty slots are not read back
      continue;
    }
    channel.InUse = 1;
    channel.Name.resize(6, ' ');                 // names are six characters, blank padded
    if (channel.RevDcs < 0) channel.RevDcs = 1;  // -1 sets the polarity bit
  }
  for (int b = 0; b < kSearchBandCount; ++b) {
    // Empty limits go out as the full range; limits come back cut to 100 Hz.
    SearchBand& band = expected.Band(b);
    if (band.LowFrequency.empty()) band.LowFrequency = "0.1";
    if (band.UpperFrequency.empty()) band.UpperFrequency = "1299.995";
    for (std::string* limit : {&band.LowFrequency, &band.UpperFrequency}) {
      const double hz = RoundHalfEven(LeadingNumber(*limit) * 1e6);
      *limit = FormatFixed5(static_cast<std::int64_t>(hz) / 100 / 1e4);
    }
  }
  return expected;
}

TEST(RoundTrip, RandomValidRecordsComeBack) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    RadioConfig sent = RandomRecord(seed);
    MemoryImage image;
    image.Fill(0xFF);
    const auto programmed = EncodeImage(sent, image);
    ASSERT_TRUE(programmed.has_value());
    RadioConfig read = NewConfiguration();
    EXPECT_EQ(MarkUsedChannels(image, read), *programmed);
    DecodeImage(image, read);
    const RadioConfig expected = Expected(sent);
    EXPECT_EQ(read.SetMode, expected.SetMode);
    EXPECT_EQ(read.Factory, expected.Factory);  // negative levels were sent, and kept, as 0
    for (int c = 1; c <= kChannelCount; ++c) {
      ASSERT_EQ(read.Channel(c), expected.Channel(c)) << "channel " << c;
    }
    for (int b = 0; b < kSearchBandCount; ++b) {
      ASSERT_EQ(read.Band(b), expected.Band(b)) << "band " << b;
    }
  }
}

}  // namespace
}  // namespace kestrel
