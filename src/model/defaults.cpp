#include "model/defaults.h"

#include <cstdint>

#include "model/broadcast_presets.h"
#include "model/channel.h"
#include "model/frequency_range.h"
#include "model/frequency_text.h"
#include "model/number_text.h"

namespace kestrel {

void ClearChannel(RadioConfig& record, int number) {
  record.Channel(number) = MemoryChannel{};
}

RadioConfig NewConfiguration() {
  RadioConfig record;

  record.SetMode.fill(0);
  record.SetMode[fn::kFastStep] = 2;
  record.SetMode[fn::kLamp] = 2;
  record.SetMode[fn::kCarrierLocator] = 1;
  record.SetMode[fn::kPause] = 4;       // "5 sec"
  record.SetMode[fn::kBarAntenna] = 1;  // "BAR"
  record.SetMode[fn::kTsq] = 8;         // " 88.5"
  record.SetMode[fn::kRevTsq] = 8;
  record.SetMode[fn::kTrainTone] = 40;   // 2280
  record.SetMode[fn::kScrambler] = 5;    // 3300
  record.SetMode[fn::kBeep] = 1;         // "ON"
  record.SetMode[fn::kBatterySave] = 1;  // "1 sec"
  record.SetMode[fn::kFlexSearch] = 1;   // "ON"

  // Every search band spans the receiver's whole range.
  const SearchBand full_range{FormatFixed5(kLowestMhz), FormatFixed5(kHighestMhz)};
  for (int b = 0; b < kSearchBandCount; ++b) record.Band(b) = full_range;

  FactorySettings& factory = record.Factory;
  factory.SqlLevel = {9664, 4732, 22041, 26542, 9443, 4755};
  factory.SMeterLevel = {18213, 25083, 19896, 25331, 19352, 26989};
  factory.PwmAm = {8, 88, 166, 244};
  factory.PwmSw = {8, 88, 166, 244};
  factory.ChargeTime = 23;  // 24 hours
  factory.DcsErrorBit = 2;
  factory.FixCount = {1, 3, 1, 4, 3, 8, 4, 3};
  factory.TrainFixTime = 1000;
  factory.UnlockWait = {20, 50, 70};

  for (int n = 1; n <= kChannelCount; ++n) ClearChannel(record, n);

  for (const BroadcastPresetEntry& preset : BroadcastPreset()) {
    MemoryChannel& channel = record.Channel(preset.Channel);
    const double hz = RoundHalfEven(EntryHz(preset.Frequency));
    channel.Frequency = std::to_string(static_cast<std::int64_t>(hz));
    channel.Name = std::string(preset.Name);
    channel.Mode = PositionOf(ChannelMode::kAm);
    channel.Step = 1;  // "5"
    channel.InUse = 1;
  }
  return record;
}

}  // namespace kestrel
