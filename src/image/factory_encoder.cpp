#include "image/factory_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "image/encode_values.h"
#include "image/image_map.h"
#include "model/number_text.h"

namespace kestrel {

namespace map = image_map;

namespace {

std::uint16_t ClampWord(double value) {
  return static_cast<std::uint16_t>(std::clamp(value, 0.0, 65535.0));
}

// Ten points S1 to S10 around the calibrated S-2 (`low`) and S-10 (`high`) values; `s2` is the
// address of the S-2 word, one word above S1.
void WriteSMeterTable(MemoryImage& image, std::size_t s2, std::int32_t low, std::int32_t high) {
  const double d = (high - low) / 8.0;
  for (int k = 1; k <= 8; ++k) {
    image.SetWord(s2 + 2 * static_cast<std::size_t>(k), ClampWord(std::floor(k * d) + low));
  }
  image.SetWord(s2 - 2, ClampWord(low - std::floor(d)));
  image.SetWord(s2, static_cast<std::uint16_t>(low));
  image.SetWord(s2 + 16, static_cast<std::uint16_t>(high));
}

// Sixteen squelch words around Threshold (`low`, at `threshold`) and Tight (`high`, twelve
// words above): a 0xFFFF stop word, then points k = -1 to 13.
void WriteSquelchTable(MemoryImage& image, std::size_t threshold, std::int32_t low,
                       std::int32_t high) {
  low = std::max(low, 0);
  high = std::max(high, 0);
  const double d = (high - low) / 12.0;
  for (int k = -1; k <= 13; ++k) {
    // floor, not truncation: the k = -1 point lies one below -floor(d) when d is not whole.
    const auto address = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(threshold) + 2 * k);
    image.SetWord(address, ClampWord(std::floor(k * d) + low));
  }
  image.SetWord(threshold - 4, 0xFFFF);
  image.SetWord(threshold, static_cast<std::uint16_t>(std::min(low, 65535)));
  image.SetWord(threshold + 24, static_cast<std::uint16_t>(std::min(high, 65535)));
}

// The FM S-meter table scaled by 1.0625. Words of 32768 and more scale too and stop at 65535.
void WriteScaledFmTable(MemoryImage& image) {
  for (std::size_t k = 0; k < map::kSMeterPoints; ++k) {
    const double scaled = RoundHalfEven(image.Word(map::kSMeterFm + 2 * k) * 1.0625);
    image.SetWord(map::kSMeterFmScaled + 2 * k, ClampWord(scaled));
  }
}

std::uint8_t AsByte(std::int32_t value) {
  return static_cast<std::uint8_t>(value);
}
std::uint16_t AsWord(std::int64_t value) {
  return static_cast<std::uint16_t>(value);
}

}  // namespace

void EncodeFactorySettings(const FactorySettings& factory, MemoryImage& image) {
  image.SetWord(map::kChargeMinutes, AsWord(encode::ChargeMinutes(factory)));
  image.SetByte(map::kDcsErrorBit, AsByte(factory.DcsErrorBit));
  for (std::size_t k = 0; k < factory.FixCount.size(); ++k) {
    image.SetByte(map::kFixCount + k, AsByte(factory.FixCount[k]));
  }
  image.SetWord(map::kTrainFixTime, AsWord(factory.TrainFixTime));
  for (std::size_t k = 0; k < factory.UnlockWait.size(); ++k) {
    image.SetWord(map::kUnlockWait + 2 * k, AsWord(factory.UnlockWait[k]));
  }

  // Levels come in pairs per mode (FM, WFM, AM): S-2 then S-10, Threshold then Tight.
  const std::size_t s_meter[3] = {map::kSMeterFm, map::kSMeterWfm, map::kSMeterAm};
  for (std::size_t m = 0; m < 3; ++m) {
    const std::int32_t low = std::max(factory.SMeterLevel[2 * m], 0);
    const std::int32_t high = std::max(factory.SMeterLevel[2 * m + 1], 0);
    WriteSMeterTable(image, s_meter[m] + 2, low, high);
  }
  WriteScaledFmTable(image);

  const std::size_t squelch[3] = {map::kSquelchFm, map::kSquelchWfm, map::kSquelchAm};
  const std::size_t offset[3] = {map::kSquelchOffsetFm, map::kSquelchOffsetWfm,
                                 map::kSquelchOffsetAm};
  for (std::size_t m = 0; m < 3; ++m) {
    const std::int32_t low = std::max(factory.SqlLevel[2 * m], 0);
    const std::int32_t high = std::max(factory.SqlLevel[2 * m + 1], 0);
    WriteSquelchTable(image, squelch[m] + 4, low, high);
    WriteSquelchTable(image, offset[m] + 4, low - 128, high - 128);
  }

  image.SetByte(map::kPwm, AsByte(factory.PwmAm[0]));
  for (std::size_t k = 0; k < 4; ++k) image.SetByte(map::kPwm + 1 + k, AsByte(factory.PwmAm[k]));
  for (std::size_t k = 0; k < 4; ++k) image.SetByte(map::kPwm + 5 + k, AsByte(factory.PwmSw[k]));
  image.SetByte(map::kPwm + 9, AsByte(factory.PwmSw[3]));
}

}  // namespace kestrel
