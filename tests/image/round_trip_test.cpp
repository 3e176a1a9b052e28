// Encoding a valid record, then marking and decoding the image as a read does, gives back every
// field the image carries.
#include <gtest/gtest.h>

#include <random>

#include "image/decoder.h"
#include "image/encoder.h"
#include "model/defaults.h"
#include "model/number_text.h"
#include "model/value_tables.h"

namespace kestrel {
namespace {

class RandomRecord {
 public:
  explicit RandomRecord(unsigned seed) : random_(seed) {}

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::int16_t Small(int low, int high) { return static_cast<std::int16_t>(Between(low, high)); }

  RadioConfig Make() {
    RadioConfig record = NewConfiguration();
    for (int f = 0; f < kSetModeFunctionCount; ++f) {
      const int size = static_cast<int>(SetModeValueTable(f).size());
      // "+ 1" functions may hold -1 (no selection); functions without a table anything.
      const int low = SetModeStoredPlusOne(f) ? -1 : 0;
      record.SetMode[static_cast<std::size_t>(f)] =
          size == 0 ? Small(-300, 300) : Small(low, size - 1);
    }
    for (int c = 1; c <= kChannelCount; ++c) {
      MemoryChannel& channel = record.Channel(c);
      channel.InUse = Small(0, 1);
      channel.Frequency = std::to_string(Between(0, 2147483647));
      channel.Name.clear();
      for (int k = Between(0, 8); k > 0; --k)
        channel.Name.push_back(static_cast<char>(Between(0, 255)));
      channel.Mode = Small(0, 3);
      channel.Step = Small(0, 12);
      channel.ToneSelect = Small(0, 5);
      channel.TsqTone = Small(0, 50);
      channel.RevTsqTone = Small(0, 50);
      channel.DcsCode = Small(0, 104);
      channel.RevDcs = Small(-1, 1);
      channel.Scrambler = Small(0, 16);
      channel.TrainTone = Small(0, 56);
    }
    for (int b = 0; b < kSearchBandCount; ++b) {
      record.Band(b) = {LimitText(), LimitText()};
    }
    FactorySettings& f = record.Factory;
    f.ChargeTime = Between(0, 23);
    f.DcsErrorBit = Between(0, 255);
    for (auto& v : f.UnlockWait) v = Between(0, 65535);
    for (auto& v : f.FixCount) v = Between(1, 8);
    f.TrainFixTime = Between(1, 5000);
    for (auto& v : f.SqlLevel) v = Between(-100, 65535);
    for (auto& v : f.SMeterLevel) v = Between(-100, 65535);
    for (auto& v : f.PwmAm) v = Between(0, 255);
    for (auto& v : f.PwmSw) v = Between(0, 255);
    return record;
  }

 private:
  // MHz text as the pages write it (ten-Hz steps), or now and then empty.
  std::string LimitText() {
    if (Between(0, 9) == 0) return "";
    return FormatFixed5(Between(10000, 129999500) / 100000.0);
  }

  std::mt19937 random_;
};

// What a read gives back of `sent`, with the known losses of the image format applied.
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
    channel.Name.resize(6, ' ');                 // names are six characters, blank padded
    if (channel.RevDcs < 0) channel.RevDcs = 1;  // -1 sets the polarity bit
  }
  for (int b = 0; b < kSearchBandCount; ++b) {
    // Empty limits go out as the full range; limits come back cut to 100 Hz.
    SearchBand& band = expected.Band(b);
    if (band.LowFrequency.empty()) band.LowFrequency = "0.10000";
    if (band.UpperFrequency.empty()) band.UpperFrequency = "1299.99500";
    for (std::string* limit : {&band.LowFrequency, &band.UpperFrequency}) {
      const double hz = RoundHalfEven(LeadingNumber(*limit) * 1000000.0);
      *limit = FormatFixed5(static_cast<std::int64_t>(hz) / 100 / 10000.0);
    }
  }
  return expected;
}

TEST(RoundTrip, RandomValidRecordsComeBack) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    RandomRecord random(seed);
    RadioConfig sent = random.Make();
    MemoryImage image;
    image.Fill(0xFF);
    const auto programmed = EncodeImage(sent, image);
    ASSERT_TRUE(programmed.has_value());
    EXPECT_EQ(*programmed, sent.ProgrammedChannelCount());
    for (int level : sent.Factory.SqlLevel) EXPECT_GE(level, 0);
    for (int level : sent.Factory.SMeterLevel) EXPECT_GE(level, 0);

    RadioConfig read = NewConfiguration();
    EXPECT_EQ(MarkUsedChannels(image, read), *programmed);
    DecodeImage(image, read);
    const RadioConfig expected = Expected(sent);
    EXPECT_EQ(read.SetMode, expected.SetMode);
    EXPECT_EQ(read.Factory, expected.Factory);
    for (int c = 1; c <= kChannelCount; ++c) {
      ASSERT_EQ(read.Channel(c), expected.Channel(c)) << "channel " << c;
    }
    for (int b = 0; b < kSearchBandCount; ++b) {
      ASSERT_EQ(read.Band(b), expected.Band(b)) << "band " << b;
    }
  }
}

TEST(RoundTrip, NewConfigurationComesBackAsItWasMade) {
  RadioConfig sent = NewConfiguration();
  MemoryImage image;
  ASSERT_EQ(EncodeImage(sent, image).value_or(-1), 89);
  RadioConfig read;
  MarkUsedChannels(image, read);
  DecodeImage(image, read);
  EXPECT_EQ(read, Expected(sent));
  EXPECT_EQ(read.Channel(801).Name, "VOA   ");
}

}  // namespace
}  // namespace kestrel
