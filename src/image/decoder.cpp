#include "image/decoder.h"

#include <cstdint>
#include <string>

#include "image/image_map.h"
#include "model/defaults.h"
#include "model/factory_limits.h"
#include "model/number_text.h"
#include "model/value_tables.h"

namespace kestrel {

namespace map = image_map;

namespace {

constexpr std::uint32_t kUnset = 0xFFFFFFFF;

void DecodeSetMode(const MemoryImage& image, RadioConfig& record) {
  for (int f = 0; f < kSetModeFunctionCount; ++f) {
    int value = image.Byte(map::kSetMode + static_cast<std::size_t>(f));
    if (SetModeStoredPlusOne(f)) value -= 1;
    const ValueTable table = SetModeValueTable(f);
    // Only the top is checked: a byte 0 of a "+ 1" function is -1, no selection, and stays.
    if (!table.empty() && value > static_cast<int>(table.size()) - 1) value = 0;
    record.SetMode[static_cast<std::size_t>(f)] = static_cast<std::int16_t>(value);
  }
}

std::int16_t Bits(std::uint8_t byte, int shift, unsigned mask) {
  return static_cast<std::int16_t>((byte >> shift) & mask);
}

void DecodeSlot(const MemoryImage& image, std::size_t s, MemoryChannel& channel) {
  const std::uint32_t hz = image.Long(s + map::slot::kFrequency);
  channel.Frequency = std::to_string(hz == kUnset ? 0 : hz);
  channel.Step = Bits(image.Byte(s + map::slot::kStep), 0, 0x0F);
  const std::uint8_t tone_mode = image.Byte(s + map::slot::kToneMode);
  channel.TsqTone = Bits(tone_mode, 0, 0x3F);
  channel.Mode = Bits(tone_mode, 6, 0x03);
  channel.RevTsqTone = Bits(image.Byte(s + map::slot::kRevToneUse), 0, 0x3F);
  channel.TrainTone = Bits(image.Byte(s + map::slot::kTrainTone), 0, 0x3F);
  const std::uint8_t dcs = image.Byte(s + map::slot::kDcs);
  channel.DcsCode = Bits(dcs, 0, 0x7F);
  channel.RevDcs = Bits(dcs, 7, 0x01);
  const std::uint8_t scrambler_tone = image.Byte(s + map::slot::kScramblerTone);
  channel.Scrambler = Bits(scrambler_tone, 0, 0x1F);
  const std::int16_t code = Bits(scrambler_tone, 5, 0x07);
  channel.ToneSelect = static_cast<std::int16_t>(code <= 2 ? code : code - 1);
  channel.Name.clear();
  for (std::size_t k = 0; k < map::slot::kNameLength; ++k) {
    channel.Name.push_back(static_cast<char>(image.Byte(s + map::slot::kName + k)));
  }
}

// MHz text of a band limit, truncated to 100 Hz; "" for a limit that was never set.
std::string LimitText(std::uint32_t hz) {
  if (hz == kUnset) return "";
  return FormatFixed5((hz / 100) / 10000.0);
}

void DecodeSearchBands(const MemoryImage& image, RadioConfig& record) {
  for (int b = 0; b < kSearchBandCount; ++b) {
    const std::size_t a = map::SearchBandAddress(b);
    record.Band(b).LowFrequency = LimitText(image.Long(a));
    record.Band(b).UpperFrequency = LimitText(image.Long(a + 4));
  }
}

void DecodeFactorySettings(const MemoryImage& image, FactorySettings& factory) {
  namespace limits = factory_limits;
  factory.ChargeTime = image.Word(map::kChargeMinutes) / 60 - 1;
  // Below the range stays: less than an hour reads as -1.
  if (factory.ChargeTime > limits::kChargeTime.highest) {
    factory.ChargeTime = limits::kChargeTimeOutOfRange;
  }
  factory.DcsErrorBit = image.Byte(map::kDcsErrorBit);
  for (std::size_t k = 0; k < factory.FixCount.size(); ++k) {
    factory.FixCount[k] = limits::kFixCount.Clamp(image.Byte(map::kFixCount + k));
  }
  factory.TrainFixTime = limits::kTrainFixTime.Clamp(image.Word(map::kTrainFixTime));
  for (std::size_t k = 0; k < factory.UnlockWait.size(); ++k) {
    factory.UnlockWait[k] = image.Word(map::kUnlockWait + 2 * k);
  }
  // Threshold and Tight are points 2 and 14 of each squelch table; S-2 and S-10 points 2 and
  // 10 of each S-meter table.
  const std::size_t squelch[3] = {map::kSquelchFm, map::kSquelchWfm, map::kSquelchAm};
  const std::size_t s_meter[3] = {map::kSMeterFm, map::kSMeterWfm, map::kSMeterAm};
  for (std::size_t m = 0; m < 3; ++m) {
    factory.SqlLevel[2 * m] = image.Word(squelch[m] + 4);
    factory.SqlLevel[2 * m + 1] = image.Word(squelch[m] + 28);
    factory.SMeterLevel[2 * m] = image.Word(s_meter[m] + 2);
    factory.SMeterLevel[2 * m + 1] = image.Word(s_meter[m] + 18);
  }
  for (std::size_t k = 0; k < 4; ++k) {
    factory.PwmAm[k] = image.Byte(map::kPwm + 1 + k);
    factory.PwmSw[k] = image.Byte(map::kPwm + 5 + k);
  }
}

}  // namespace

int MarkUsedChannels(const MemoryImage& image, RadioConfig& record) {
  int in_use = 0;
  for (int c = 1; c <= kChannelCount; ++c) {
    ClearChannel(record, c);
    const std::uint8_t bits = image.Byte(map::kChannelBitmap + map::ChannelBitmapByte(c));
    if ((bits & map::ChannelBitmapMask(c)) != 0) {
      record.Channel(c).InUse = 1;
      ++in_use;
    }
  }
  return in_use;
}

void DecodeImage(const MemoryImage& image, RadioConfig& record) {
  DecodeSetMode(image, record);
  for (int c = 1; c <= kChannelCount; ++c) {
    MemoryChannel& channel = record.Channel(c);
    if (channel.InUse != 0) DecodeSlot(image, map::ChannelSlotAddress(c), channel);
  }
  DecodeSearchBands(image, record);
  DecodeFactorySettings(image, record.Factory);
}

}  // namespace kestrel
