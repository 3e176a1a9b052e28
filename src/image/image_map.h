// Where things live in the receiver's configuration memory. Addresses are inclusive starts;
// multi-byte numbers are little-endian, frequencies 32-bit Hz.
#pragma once

#include <cassert>
#include <cstddef>

namespace kestrel::image_map {

// Two bytes the program sequence zeroes just before it writes the receiver.
inline constexpr std::size_t kProgramStart = 0x0000;
// Word: index (channel number - 1) of the lowest programmed channel; 0 when none is.
inline constexpr std::size_t kLowestChannel = 0x0010;

// Factory area: decoded after a read and encoded, but never written to a receiver.
inline constexpr std::size_t kChargeMinutes = 0x0040;  // word
inline constexpr std::size_t kUnlockWait = 0x0046;     // 3 words: Search, Scan, SQL
inline constexpr std::size_t kDcsErrorBit = 0x004C;    // byte
inline constexpr std::size_t kFixCount = 0x004E;       // 8 bytes
inline constexpr std::size_t kTrainFixTime = 0x0056;   // word

// Read by the programming pre-check; neither decoded nor encoded.
inline constexpr std::size_t kRegionCode = 0x005E;
inline constexpr std::size_t kCheckSwitch = 0x005F;
// The 16-byte line the programming pre-check reads: the last fix counts, the TRAIN fix time, the
// region code and the check switch.
inline constexpr std::size_t kRegionBlock = 0x0050;

inline constexpr std::size_t kSetMode = 0x0300;  // one byte per function
inline constexpr std::size_t kSetModeSize = 35;
inline constexpr std::size_t kSearchBands = 0x0340;  // 24 x (lower, upper) 32-bit Hz
inline constexpr std::size_t kSearchBandSize = 8;
// Written to the receiver as the image holds it; the encoder never produces it.
inline constexpr std::size_t kUnencodedByte = 0x0400;

// S-meter tables, 10 words S1 to S10 each, and the FM table scaled by 1.0625.
inline constexpr std::size_t kSMeterFm = 0x06B0;
inline constexpr std::size_t kSMeterFmScaled = 0x06D0;
inline constexpr std::size_t kSMeterWfm = 0x06F0;
inline constexpr std::size_t kSMeterAm = 0x0710;
inline constexpr std::size_t kSMeterPoints = 10;
// Squelch tables, 16 words each, and the same tables built from levels - 128.
inline constexpr std::size_t kSquelchFm = 0x0730;
inline constexpr std::size_t kSquelchWfm = 0x0750;
inline constexpr std::size_t kSquelchAm = 0x0770;
inline constexpr std::size_t kSquelchOffsetFm = 0x0790;
inline constexpr std::size_t kSquelchOffsetWfm = 0x07B0;
inline constexpr std::size_t kSquelchOffsetAm = 0x07D0;
inline constexpr std::size_t kSquelchPoints = 16;
// Bar antenna PWM bytes: AM f1, AM f1, f2, f3, f4, SW f1, f2, f3, f4, SW f4.
inline constexpr std::size_t kPwm = 0x07F0;
inline constexpr std::size_t kPwmSize = 10;
// A read fetches the factory tables, S-meter to PWM, as 32-byte steps up to this last address.
inline constexpr std::size_t kFactoryTablesLast = 0x080F;

// Channel counts (11 words: all channels, then channels 1-100, 101-200, ... 901-1000), each
// table twice.
inline constexpr std::size_t kChannelCounts = 0x0820;
inline constexpr std::size_t kChannelCountsCopy = 0x0840;
inline constexpr std::size_t kChannelCountWords = 11;
// Channel bitmap: channel c is bit (c - 1) % 8 of byte (c - 1) / 8; then its copy.
inline constexpr std::size_t kChannelBitmap = 0x0860;
inline constexpr std::size_t kChannelBitmapCopy = 0x08E0;
inline constexpr std::size_t kChannelBitmapSize = 125;

// Memory channel slots, 16 bytes each, channel 1 first.
inline constexpr std::size_t kChannelSlots = 0x1000;
inline constexpr std::size_t kChannelSlotSize = 16;

// Offsets inside a channel slot.
namespace slot {
inline constexpr std::size_t kFrequency = 0;      // 32-bit Hz
inline constexpr std::size_t kStep = 4;           // step position (bits 3-0 decoded)
inline constexpr std::size_t kToneMode = 5;       // bits 5-0 CTCSS tone, bits 7-6 mode
inline constexpr std::size_t kRevToneUse = 6;     // bits 5-0 reverse tone, bits 7-6 in-use marker
inline constexpr std::size_t kTrainTone = 7;      // train tone position (bits 5-0 decoded)
inline constexpr std::size_t kDcs = 8;            // bits 6-0 DCS code, bit 7 polarity
inline constexpr std::size_t kScramblerTone = 9;  // bits 4-0 scrambler, bits 7-5 tone select code
inline constexpr std::size_t kName = 10;          // six characters, blank padded
inline constexpr std::size_t kNameLength = 6;
}  // namespace slot

// Markers in bits 7-6 of slot byte 6.
inline constexpr unsigned kSlotProgrammed = 0x80;
inline constexpr unsigned kSlotEmpty = 0x40;

// Start of channel `number`'s slot (1 to 1000).
constexpr std::size_t ChannelSlotAddress(int number) {
  assert(number >= 1 && number <= 1000);
  return kChannelSlots + kChannelSlotSize * static_cast<std::size_t>(number - 1);
}

// Byte offset (from kChannelBitmap or kChannelBitmapCopy) and bit mask of channel `number`.
constexpr std::size_t ChannelBitmapByte(int number) {
  assert(number >= 1 && number <= 1000);
  return static_cast<std::size_t>(number - 1) / 8;
}
constexpr unsigned ChannelBitmapMask(int number) {
  return 1u << (static_cast<unsigned>(number - 1) % 8);
}

// Lower limit of search band `index` (0 to 23); the upper limit follows 4 bytes later.
constexpr std::size_t SearchBandAddress(int index) {
  assert(index >= 0 && index < 24);
  return kSearchBands + kSearchBandSize * static_cast<std::size_t>(index);
}

}  // namespace kestrel::image_map
