// Programming a receiver: the record checked for values the image cannot hold before the port
// is opened, then the receiver's region block, the frequency check against that region, the
// record encoded into the image, and the fixed program list written. Nothing is sent to the
// receiver's memory before both the encoder and the frequency check accept the record. Plain C++,
// meant to run on a worker thread; the callbacks are called on that thread.
#pragma once

#include <string>
#include <vector>

#include "image/known_image.h"
#include "image/memory_image.h"
#include "link/link.h"
#include "link/link_result.h"
#include "link/read_sequence.h"
#include "model/radio_config.h"

namespace kestrel::link {

struct ProgramOptions {
  // After writing, read back what a read can fetch of the written ranges and compare it with
  // the image; a difference fails with kWriteFailed naming the first address.
  bool verify = false;
  // Where Write Changes' knowledge of the receiver comes from, for its messages ("read at 14:02
  // on ttyUSB0").
  std::string known_from{};
};

// Programs the connected receiver with `record`. From the pre-check on, `image` holds the
// receiver's region block; once the encoder has accepted the record it holds the encoded record
// with bytes 0x0000 and 0x0001 set to 0, as it was written. Every write command the receiver
// acknowledged (or left unanswered) is noted in `known` when given, also when the write fails.
LinkStatus ProgramToRadio(Link& link, MemoryImage& image, const RadioConfig& record,
                          const ProgramOptions& options = {}, const SequenceReport& report = {},
                          KnownImage* known = nullptr);

// Writes only what the receiver is not known to hold (see write_changes.h): the pre-check and the
// frequency check as for ProgramToRadio, then both channel bitmaps and count tables read back and
// compared with `known` (a difference writes nothing and fails with kWriteFailed), then the
// changed commands in the program list's order, verified when asked. `known` follows every
// command as ProgramToRadio's does. When nothing but the bytes every write sends would change,
// nothing is sent after the pre-check and `commands_sent` is 0.
LinkStatus WriteChangesToRadio(Link& link, MemoryImage& image, const RadioConfig& record,
                               KnownImage& known, const ProgramOptions& options = {},
                               const SequenceReport& report = {},
                               std::size_t* commands_sent = nullptr);

// The ranges a verification of `written` reads back: without what a read never fetches
// (0x0000-0x0001, 0x0010-0x0011 and the byte 0x0400).
std::vector<AddressRange> VerifyListOf(const std::vector<AddressRange>& written);

}  // namespace kestrel::link
