// Turning the record into the memory image before a receiver is programmed. Besides copying
// fields the encoder builds the receiver's derived tables: channel bitmap and counts (each
// twice), the lowest programmed channel, the S-meter and squelch tables and the duplicated PWM
// bytes. It writes only those areas; every other byte keeps what the image held.
#pragma once

#include <expected>
#include <vector>

#include "image/memory_image.h"
#include "model/finding.h"
#include "model/radio_config.h"

namespace kestrel {

// Every value that would not fit where the encoder writes it, each a problem named where the
// user finds it: "channel 011, STEP" (channels as the grid numbers them), "Set Mode PAUSE",
// "search band 3, lower limit" (bands as the page numbers them, 1 to 24), "Factory Settings,
// FixCount[2]". A value does not fit when it is a byte outside 0 to 255, a word outside 0 to
// 65535, a frequency below 0 Hz or of 2^31 Hz or more. Empty when the record can be encoded.
// Negative S-meter and squelch levels are no problem: they are encoded as 0.
std::vector<Finding> CheckEncodable(const RadioConfig& record);

// Encodes `record` into `image` and returns the number of programmed channels. Negative S-meter
// and squelch levels go to the receiver as 0; the record keeps what the user entered. A record
// with problems is refused with all of them, and then the image does not change.
std::expected<int, std::vector<Finding>> EncodeImage(const RadioConfig& record, MemoryImage& image);

}  // namespace kestrel
