// Reading a receiver's configuration: the channel bitmap first, then the fixed ranges and the
// slots of exactly the channels in use, decoded into a new record. Everything works on staged
// copies, so a read that fails at any point leaves the caller's record and image as they were.
// Plain C++, meant to run on a worker thread; the callbacks are called on that thread.
#pragma once

#include <expected>
#include <functional>
#include <string>

#include "image/memory_image.h"
#include "link/link.h"
#include "link/link_result.h"
#include "model/radio_config.h"

namespace kestrel::link {

// What a sequence tells the dialog or the command line that runs it.
struct SequenceReport {
  std::function<void(const std::string& text)> state;  // "Reading data.", "Writing data." ...
  Progress progress;                                   // per range-list entry, see transfer.h
};

// Reads the connected receiver and gives its configuration. `current` is the record the read
// starts from: fields the receiver does not supply keep its values. On success `image` holds what
// was read (0xFF where nothing was); on failure it is not touched.
std::expected<RadioConfig, LinkFailure> ReadFromRadio(Link& link, MemoryImage& image,
                                                      const RadioConfig& current,
                                                      const SequenceReport& report = {});

}  // namespace kestrel::link
