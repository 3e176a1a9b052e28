// The receiver's rules for storing a memory channel: which tuning step a frequency lies on, the
// Hz text a channel is stored with, and the check a channel as the user entered it passes before
// it is stored. Every way a channel enters the record (the editor, editing in the grid, pasting,
// importing) goes through ValidateChannel, so all of them store and refuse alike.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <vector>

#include "model/channel.h"
#include "model/finding.h"
#include "model/radio_config.h"

namespace kestrel {

// The step-table position a channel at `hz` (as entered, in Hz) tunes with, or nullopt when the
// frequency lies on none of the receiver's rasters. `mode` is the channel-mode position; the
// 9 kHz raster exists only for AM broadcast frequencies. The 25 kHz raster wins over 9 kHz.
std::optional<int> DeriveStep(double hz, int mode);

// The step-table positions a channel at `hz` may be stored with in mode `mode`: each raster
// the frequency lies on (5, 6.25 and 8.33 kHz, 9 kHz for AM broadcast), in position order. A
// frequency snapped to the 8.33 kHz raster (base + 8334) lies on it.
std::vector<int> AcceptedSteps(double hz, int mode);

// The mode a channel at `hz` most likely uses, for a frequency entered without one: AM below
// 30 MHz and in the aviation band from 108 MHz up to 137 MHz, WFM in the broadcast band from
// 76 MHz up to 108 MHz, FM elsewhere. A position of kChannelModeTable.
std::int16_t BandMode(double hz);

// The frequency `count` steps of `step_khz` above `start_hz`, as MHz text to enter ("146.525").
// A step of 8.33 kHz walks the receiver's 8.33 kHz channels from the one nearest the start:
// +8.333 and +16.667 kHz, then the next 25 kHz block.
std::string SteppedFrequencyText(double start_hz, double step_khz, int count);

// The Hz text stored for an entered frequency: plain decimal text, and for the 8.33 kHz step
// (position 3) the receiver's own channel frequencies, base + 8334 and base + 16667 within each
// 25 kHz block (a 24990 offset goes up to the next block).
std::string StoredFrequencyText(double hz, int step);

// A channel as the user entered it. The frequency is MHz text as typed ("145.5"), the name UTF-8
// as typed; the other fields are positions coded as in MemoryChannel, `RevDcs` -1 for none.
struct ChannelEntry {
  std::string Frequency{};
  std::string Name{};
  std::int16_t Mode = 0;
  std::int16_t ToneSelect = 0;
  std::int16_t TsqTone = 0;
  std::int16_t RevTsqTone = 0;
  std::int16_t DcsCode = 0;
  std::int16_t RevDcs = kNoPolarity;
  std::int16_t Scrambler = 0;
  std::int16_t TrainTone = 0;
  bool operator==(const ChannelEntry&) const = default;
};

// Why an entry cannot be stored: the first field found wrong, and the finding that names it
// with the reason in plain words ("Frequency: 145.00100 MHz is on no tuning raster: ...").
struct ChannelRefusal {
  ChannelField field;  // for the places that point at the field
  Finding finding;
  // The step derived from frequency and mode before the problem was found, when one was: the
  // channel editor keeps it in the record even though it stores nothing else.
  std::optional<std::int16_t> derived_step;

  bool operator==(const ChannelRefusal&) const = default;
};

// The channel as it would be stored for `entry`, or the first problem, checked in this order:
// a frequency is given, a mode is chosen, the frequency lies in the receiver's range and on a
// raster of its mode, the tone selection has its values, the name fits the receiver.
// `stored` is the channel as the record holds it now: its step is kept when neither frequency
// nor mode differs from it; otherwise the step is derived. The stored channel is in use, holds
// the frequency of StoredFrequencyText, the name as entered, and only the values of its tone
// selection (the others 0, `RevDcs` -1 unless DCS).
std::expected<MemoryChannel, ChannelRefusal> ValidateChannel(const ChannelEntry& entry,
                                                             const MemoryChannel& stored = {});

// `stored` with the step at position `step` chosen, its frequency snapped as StoredFrequencyText
// does; refused unless the step is one of AcceptedSteps.
std::expected<MemoryChannel, ChannelRefusal> WithStep(const MemoryChannel& stored, int step);

// The entry the channel editor starts with for a stored channel: the frequency and the name as
// the grid shows them (MHz to 10 Hz, the name trimmed), the coded fields as stored.
ChannelEntry EntryOf(const MemoryChannel& channel);

}  // namespace kestrel
