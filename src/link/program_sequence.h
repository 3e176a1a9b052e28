// Programming a receiver: the record checked for values the image cannot hold before the port
// is opened, then the receiver's region block, the frequency check against that region, the
// record encoded into the image, and the fixed program list written. Nothing is sent to the
// receiver's memory before both the encoder and the frequency check accept the record. Plain C++,
// meant to run on a worker thread; the callbacks are called on that thread.
#pragma once

#include <string>
#include <vector>

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
};

// Programs the connected receiver with `record`. From the pre-check on, `image` holds the
// receiver's region block; once the encoder has accepted the record it holds the encoded record
// with bytes 0x0000 and 0x0001 set to 0, as it was written.
LinkStatus ProgramToRadio(Link& link, MemoryImage& image, const RadioConfig& record,
                          const ProgramOptions& options = {}, const SequenceReport& report = {});

// The ranges a verification reads back: the program list without what a read never fetches
// (0x0000-0x0001, 0x0010-0x0011 and the byte 0x0400).
std::vector<AddressRange> BuildVerifyList();

}  // namespace kestrel::link
