// Several receivers programmed at once: one worker thread per port, each with its own link, port
// and image, running the whole program sequence (pre-check, region check, write, verify) on its
// own; the workers share only the configuration being written, which none of them changes. The
// protocol leaves the line idle for the settle delay after every command, so the receivers cost
// little more time together than one alone.
#pragma once

#include <span>
#include <vector>

#include "image/memory_image.h"
#include "link/cancel.h"
#include "link/link_result.h"
#include "link/program_sequence.h"
#include "link/qt/port_link.h"
#include "model/radio_config.h"

namespace kestrel::link {

// One receiver of a batch.
struct BatchReceiver {
  LinkSetup setup;
  // The image its sequence works on, kept from batch to batch as a single port's is.
  MemoryImage image;
  // Called on its worker's thread.
  SequenceReport report;
};

// Programs every receiver at once with `record` and returns when all have ended, with each one's
// outcome in the order given. `cancel` stops them all at their next command.
std::vector<LinkStatus> ProgramReceivers(std::span<BatchReceiver> receivers,
                                         const RadioConfig& record, const ProgramOptions& options,
                                         const CancelToken& cancel);

}  // namespace kestrel::link
