#include "image/encoder.h"

#include <cstdint>

#include "image/encode_values.h"
#include "image/factory_encoder.h"
#include "image/image_map.h"

namespace kestrel {

namespace map = image_map;

namespace {

void EncodeSetMode(const RadioConfig& record, MemoryImage& image) {
  for (int f = 0; f < kSetModeFunctionCount; ++f) {
    image.SetByte(map::kSetMode + static_cast<std::size_t>(f),
                  static_cast<std::uint8_t>(encode::SetModeByte(record, f)));
  }
}

// Both bitmaps and both count tables; returns the number of programmed channels.
int EncodeBitmapsAndCounts(const RadioConfig& record, MemoryImage& image) {
  std::uint16_t counts[map::kChannelCountWords] = {};
  for (std::size_t b = 0; b < map::kChannelBitmapSize; ++b) {
    image.SetByte(map::kChannelBitmap + b, 0);
    image.SetByte(map::kChannelBitmapCopy + b, 0);
  }
  for (int c = 1; c <= kChannelCount; ++c) {
    if (!record.Channel(c).IsProgrammed()) continue;
    ++counts[0];
    ++counts[(c - 1) / 100 + 1];
    const std::size_t byte = map::ChannelBitmapByte(c);
    const auto mask = static_cast<std::uint8_t>(map::ChannelBitmapMask(c));
    image.SetByte(map::kChannelBitmap + byte, image.Byte(map::kChannelBitmap + byte) | mask);
    image.SetByte(map::kChannelBitmapCopy + byte,
                  image.Byte(map::kChannelBitmapCopy + byte) | mask);
  }
  for (std::size_t k = 0; k < map::kChannelCountWords; ++k) {
    image.SetWord(map::kChannelCounts + 2 * k, counts[k]);
    image.SetWord(map::kChannelCountsCopy + 2 * k, counts[k]);
  }
  return counts[0];
}

std::uint8_t Low(int value, int mask) {
  return static_cast<std::uint8_t>(value & mask);
}

// One 16-byte slot. An empty channel is written too: 0.1 MHz, the empty marker, and its other
// fields as the record holds them.
void EncodeSlot(const MemoryChannel& channel, std::size_t s, MemoryImage& image) {
  image.SetLong(s + map::slot::kFrequency, static_cast<std::uint32_t>(encode::ChannelHz(channel)));
  image.SetByte(s + map::slot::kStep, static_cast<std::uint8_t>(channel.Step));
  image.SetByte(s + map::slot::kToneMode,
                Low(channel.TsqTone, 0x3F) | Low(channel.Mode * 64, 0xC0));
  const unsigned marker = channel.IsProgrammed() ? map::kSlotProgrammed : map::kSlotEmpty;
  image.SetByte(s + map::slot::kRevToneUse, Low(channel.RevTsqTone, 0x3F) | marker);
  image.SetByte(s + map::slot::kTrainTone, static_cast<std::uint8_t>(channel.TrainTone));
  image.SetByte(s + map::slot::kDcs, Low(channel.DcsCode, 0x7F) | Low(channel.RevDcs * 128, 0x80));
  // Tone select code 2 is skipped: positions 0 to 5 are codes 0, 1, 3, 4, 5, 6.
  const int code = channel.ToneSelect <= 1 ? channel.ToneSelect : channel.ToneSelect + 1;
  image.SetByte(s + map::slot::kScramblerTone, Low(channel.Scrambler, 0x1F) | Low(code * 32, 0xE0));
  for (std::size_t k = 0; k < map::slot::kNameLength; ++k) {
    const char character = k < channel.Name.size() ? channel.Name[k] : ' ';
    image.SetByte(s + map::slot::kName + k, static_cast<std::uint8_t>(character));
  }
}

void EncodeSlots(const RadioConfig& record, MemoryImage& image) {
  int first = -1;
  for (int c = 1; c <= kChannelCount; ++c) {
    const MemoryChannel& channel = record.Channel(c);
    if (first < 0 && channel.IsProgrammed()) first = c - 1;
    EncodeSlot(channel, map::ChannelSlotAddress(c), image);
  }
  image.SetWord(map::kLowestChannel, static_cast<std::uint16_t>(first < 0 ? 0 : first));
}

void EncodeSearchBands(const RadioConfig& record, MemoryImage& image) {
  for (int b = 0; b < kSearchBandCount; ++b) {
    const SearchBand& band = record.Band(b);
    const std::size_t a = map::SearchBandAddress(b);
    image.SetLong(a, static_cast<std::uint32_t>(
                         encode::LimitHz(band.LowFrequency, encode::kEmptyLowerLimitHz)));
    image.SetLong(a + 4, static_cast<std::uint32_t>(
                             encode::LimitHz(band.UpperFrequency, encode::kEmptyUpperLimitHz)));
  }
}

}  // namespace

std::expected<int, std::vector<Finding>> EncodeImage(const RadioConfig& record,
                                                     MemoryImage& image) {
  std::vector<Finding> problems = CheckEncodable(record);
  if (!problems.empty()) return std::unexpected(std::move(problems));

  EncodeSetMode(record, image);
  const int programmed = EncodeBitmapsAndCounts(record, image);
  EncodeSlots(record, image);
  EncodeSearchBands(record, image);
  EncodeFactorySettings(record.Factory, image);
  return programmed;
}

}  // namespace kestrel
