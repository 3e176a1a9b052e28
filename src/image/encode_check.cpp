// CheckEncodable: every record value the image cannot hold, with the place the user finds it.
#include <cstdint>
#include <string>
#include <vector>

#include "image/encode_values.h"
#include "image/encoder.h"
#include "model/channel.h"
#include "model/value_tables.h"

namespace kestrel {

namespace {

Finding ChannelPlace(int number, ChannelField field) {
  return {.channel = number, .field = std::string(FieldCaption(field))};
}

Finding FactoryPlace(const char* field) {
  return {.factory = true, .field = field};
}

Finding IndexedPlace(const char* field, std::size_t index) {
  Finding place = FactoryPlace(field);
  place.field.append("[").append(std::to_string(index)).append("]");
  return place;
}

Finding BandPlace(int band, const char* limit) {
  return {.search_band = band + 1, .field = limit};
}

class Checker {
 public:
  void Byte(const Finding& place, std::int64_t value) {
    if (value < 0 || value > 255) Add(place, std::to_string(value) + kNotAByte);
  }

  void Word(const Finding& place, std::int64_t value) {
    if (value < 0 || value > 65535) Add(place, std::to_string(value) + kNotAWord);
  }

  void Add(Finding place, std::string message) {
    place.message = std::move(message);
    problems_.push_back(std::move(place));
  }

  std::vector<Finding> Take() { return std::move(problems_); }

  static constexpr const char* kNotAByte = " does not fit a byte (0 to 255)";
  static constexpr const char* kNotAWord = " does not fit a 16-bit word (0 to 65535)";

 private:
  std::vector<Finding> problems_;
};

void CheckSetMode(const RadioConfig& record, Checker& check) {
  for (int f = 0; f < kSetModeFunctionCount; ++f) {
    const int byte = encode::SetModeByte(record, f);
    if (byte >= 0 && byte <= 255) continue;
    const Finding place{.set_mode = f};
    const std::string position = std::to_string(record.SetMode[static_cast<std::size_t>(f)]);
    if (SetModeStoredPlusOne(f)) {
      check.Add(place, "position " + position + " is stored as " + std::to_string(byte) +
                           ", which" + Checker::kNotAByte);
    } else {
      check.Add(place, "position " + position + Checker::kNotAByte);
    }
  }
}

void CheckChannels(const RadioConfig& record, Checker& check) {
  for (int c = 1; c <= kChannelCount; ++c) {
    const MemoryChannel& channel = record.Channel(c);
    if (!encode::FitsFrequency(encode::ChannelHz(channel))) {
      check.Add(ChannelPlace(c, ChannelField::kFrequency),
                "\"" + channel.Frequency + "\" Hz is outside 0 to 2147483647 Hz");
    }
    check.Byte(ChannelPlace(c, ChannelField::kStep), channel.Step);
    check.Byte(ChannelPlace(c, ChannelField::kTrainTone), channel.TrainTone);
  }
}

void CheckBands(const RadioConfig& record, Checker& check) {
  for (int b = 0; b < kSearchBandCount; ++b) {
    const SearchBand& band = record.Band(b);
    if (!encode::FitsFrequency(encode::LimitHz(band.LowFrequency, encode::kEmptyLowerLimitHz))) {
      check.Add(BandPlace(b, "lower limit"),
                "\"" + band.LowFrequency + "\" MHz is outside 0 to 2147.483647 MHz");
    }
    if (!encode::FitsFrequency(encode::LimitHz(band.UpperFrequency, encode::kEmptyUpperLimitHz))) {
      check.Add(BandPlace(b, "upper limit"),
                "\"" + band.UpperFrequency + "\" MHz is outside 0 to 2147.483647 MHz");
    }
  }
}

void CheckFactory(const FactorySettings& factory, Checker& check) {
  const std::int64_t minutes = encode::ChargeMinutes(factory);
  if (minutes < 0 || minutes > 65535) {
    check.Add(FactoryPlace("ChargeTime"), std::to_string(factory.ChargeTime) + " gives " +
                                              std::to_string(minutes) + " minutes, which" +
                                              Checker::kNotAWord);
  }
  check.Byte(FactoryPlace("DcsErrorBit"), factory.DcsErrorBit);
  for (std::size_t k = 0; k < factory.UnlockWait.size(); ++k) {
    check.Word(IndexedPlace("UnlockWait", k), factory.UnlockWait[k]);
  }
  for (std::size_t k = 0; k < factory.FixCount.size(); ++k) {
    check.Byte(IndexedPlace("FixCount", k), factory.FixCount[k]);
  }
  check.Word(FactoryPlace("TrainFixTime"), factory.TrainFixTime);
  // Negative levels are encoded as 0, so only the top of the range matters.
  for (std::size_t k = 0; k < factory.SqlLevel.size(); ++k) {
    if (factory.SqlLevel[k] > 65535) check.Word(IndexedPlace("SqlLevel", k), factory.SqlLevel[k]);
  }
  for (std::size_t k = 0; k < factory.SMeterLevel.size(); ++k) {
    if (factory.SMeterLevel[k] > 65535) {
      check.Word(IndexedPlace("SMeterLevel", k), factory.SMeterLevel[k]);
    }
  }
  for (std::size_t k = 0; k < factory.PwmAm.size(); ++k) {
    check.Byte(IndexedPlace("PwmAm", k), factory.PwmAm[k]);
  }
  for (std::size_t k = 0; k < factory.PwmSw.size(); ++k) {
    check.Byte(IndexedPlace("PwmSw", k), factory.PwmSw[k]);
  }
}

}  // namespace

std::vector<Finding> CheckEncodable(const RadioConfig& record) {
  Checker check;
  CheckSetMode(record, check);
  CheckChannels(record, check);
  CheckBands(record, check);
  CheckFactory(record.Factory, check);
  return check.Take();
}

}  // namespace kestrel
