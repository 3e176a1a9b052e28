// The Radio configuration record: everything the tool edits for one receiver. It is a plain value,
// cheap to copy; a load or a read fills a copy and the live record is replaced only on success.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

#include "model/value_tables.h"

namespace kestrel {

inline constexpr int kChannelCount = 1000;     // memory channels, numbered 1 to 1000
inline constexpr int kSearchBandCount = 24;    // search bands, numbered 0 to 23
inline constexpr int kFactoryValueCount = 34;  // integers in FactorySettings

// One memory channel. Index fields hold positions in the channel tables of value_tables.h.
struct MemoryChannel {
  std::int16_t InUse = 0;       // 0 empty; any value above 0 counts as programmed
  std::string Frequency;        // Hz as plain decimal text ("6030000"); "" for an empty channel
  std::string Name;             // Windows-1252 bytes, six on the receiver
  std::int16_t Mode = 0;        // kChannelModeTable
  std::int16_t Step = 0;        // kStepTable
  std::int16_t ToneSelect = 0;  // kToneSelectTable
  std::int16_t TsqTone = 0;     // kChannelToneTable
  std::int16_t RevTsqTone = 0;  // kChannelToneTable
  std::int16_t DcsCode = 0;     // kChannelDcsTable
  std::int16_t RevDcs = 0;      // kChannelDcsPolarityTable; -1 when stored with another tone select
  std::int16_t Scrambler = 0;   // kChannelScramblerTable
  std::int16_t TrainTone = 0;   // kChannelTrainToneTable

  bool IsProgrammed() const { return InUse > 0; }
  bool operator==(const MemoryChannel&) const = default;
};

// A search band: limits as MHz text with five decimals ("118.00000"); "" means not set.
struct SearchBand {
  std::string LowFrequency;
  std::string UpperFrequency;
  bool operator==(const SearchBand&) const = default;
};

// Service adjustments, kept and transferred but not offered for editing.
struct FactorySettings {
  std::int32_t ChargeTime = 0;               // hours - 1, 0 to 23
  std::int32_t DcsErrorBit = 0;              // one byte
  std::array<std::int32_t, 3> UnlockWait{};  // mSec: Search, Scan, SQL
  std::array<std::int32_t, 8> FixCount{};  // DCS ON/OFF, RevTSQ ON/OFF, search ON/OFF, TRAIN ON/OFF
  std::int32_t TrainFixTime = 0;           // mSec, 1 to 5000
  std::array<std::int32_t, 6> SqlLevel{};  // FM, WFM, AM: Threshold then Tight
  std::array<std::int32_t, 6> SMeterLevel{};  // FM, WFM, AM: S-2 then S-10
  std::array<std::int32_t, 4> PwmAm{};        // bar antenna PWM, AM band f1 to f4
  std::array<std::int32_t, 4> PwmSw{};        // bar antenna PWM, SW band f1 to f4
  bool operator==(const FactorySettings&) const = default;
};

class RadioConfig {
 public:
  std::array<std::int16_t, kSetModeFunctionCount> SetMode{};  // positions in each function's table
  FactorySettings Factory;

  // Channel `number`, 1 to 1000.
  MemoryChannel& Channel(int number) { return channels_[ChannelIndex(number)]; }
  const MemoryChannel& Channel(int number) const { return channels_[ChannelIndex(number)]; }

  // Search band `index`, 0 to 23.
  SearchBand& Band(int index) { return bands_[BandIndex(index)]; }
  const SearchBand& Band(int index) const { return bands_[BandIndex(index)]; }

  int ProgrammedChannelCount() const;

  bool operator==(const RadioConfig&) const = default;

 private:
  static std::size_t ChannelIndex(int number) {
    assert(number >= 1 && number <= kChannelCount);
    return static_cast<std::size_t>(number - 1);
  }
  static std::size_t BandIndex(int index) {
    assert(index >= 0 && index < kSearchBandCount);
    return static_cast<std::size_t>(index);
  }

  std::array<MemoryChannel, kChannelCount> channels_{};
  std::array<SearchBand, kSearchBandCount> bands_{};
};

}  // namespace kestrel
