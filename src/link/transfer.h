// Transfer steps: each opens the port, performs the handshake, runs its commands and closes the
// port again, whatever the outcome. The loops walk a range list with the split rule and stop at
// the first failure; the pre-checks read the channel bitmap or the region block. Every step
// stops before its next command once the line's cancel request is made, with kCancelled.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "image/memory_image.h"
#include "link/link_result.h"
#include "link/range_lists.h"
#include "link/serial_line.h"
#include "link/time_estimate.h"

namespace kestrel::link {

// Progress of a loop: `range(maximum)` once at the start (minimum 0, value 0), then
// `value(i + 1)` after entry i; `time_left(ms)` at the start and after every command, with what
// the rest of the loop takes on a well-behaved line (see time_estimate.h); `answered(command,
// acknowledged)` after every command sent, whether it got its answer or not. Any may be empty.
// Called on the thread running the loop. A sequence reports the same for its whole job (see
// job_progress.h): its `time_left` is the job's estimate, also while a reply is awaited, and
// `waiting(true)` says that a reply is more than 2 s late, `waiting(false)` that the job moves
// on again.
struct Progress {
  std::function<void(int maximum)> range;
  std::function<void(int value)> value;
  std::function<void(std::uint64_t ms)> time_left{};
  std::function<void(const RangeCommand& command, bool answered)> answered{};
  std::function<void(bool waiting)> waiting{};
};

// Fills the image with 0xFF, walks the list with 16-byte and 1-byte reads. Fails with
// kReadFailed; after a failure the image holds what was read so far and 0xFF elsewhere. The
// caller decodes the image.
LinkStatus ReadRanges(SerialLine& line, MemoryImage& image, std::span<const AddressRange> list,
                      const Progress& progress = {});

// Walks the list with 16-byte and 1-byte writes of the image's bytes. Fails with kWriteFailed;
// when cancelled, the detail says whether the receiver was left partly written.
LinkStatus WriteRanges(SerialLine& line, const MemoryImage& image,
                       std::span<const AddressRange> list, const Progress& progress = {});

// Reads the channel bitmap (8 blocks from its start) into the image. Fails with kPortUnavailable
// or kReadFailed. Only `time_left` of the progress is used.
LinkStatus ReadPrecheck(SerialLine& line, MemoryImage& image, const Progress& progress = {});

// Reads the region block (the 16 bytes holding the region code and check switch) into the image.
// Fails with kPortUnavailable or kReadFailed. Only `time_left` of the progress is used.
LinkStatus ProgramPrecheck(SerialLine& line, MemoryImage& image, const Progress& progress = {});

// What ReadPrecheck and ProgramPrecheck take on a well-behaved line, handshake included.
WireCost ReadPrecheckCost();
WireCost ProgramPrecheckCost();

// What a write cancelled after `sent` write commands left in the receiver, for the user to read.
std::string WriteCancelledText(std::size_t sent);

// Every byte of the image becomes 0xFF, so that addresses a read does not cover hold 0xFF.
void FillImage(MemoryImage& image);

}  // namespace kestrel::link
