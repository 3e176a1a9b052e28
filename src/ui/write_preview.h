// What Write Changes will do, worked out before it starts: the differences from what the
// receiver is known to hold to the configuration, in Compare's words, and the commands that
// carry them with the time they take. What is sent is decided on the commands; the list only
// shows what the pages show, so commands that change nothing shown are counted apart.
#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <vector>

#include "image/known_image.h"
#include "image/memory_image.h"
#include "model/config_diff.h"
#include "model/radio_config.h"

namespace kestrel::ui {

struct WritePreview {
  std::vector<ConfigDifference> differences;
  std::size_t commands = 0;   // write commands to send, as ChangedCommands gives them
  std::size_t unseen = 0;     // of them, those that change nothing the pages show
  std::size_t always = 0;     // of them, those of the bytes no read covers, which every write sends
  std::uint64_t ms = 0;       // the whole of Write Changes on a well-behaved line, without Verify
  std::uint64_t full_ms = 0;  // the same of Write

  // Nothing but the bytes every write sends would change: nothing is to be written.
  bool Nothing() const { return commands == always; }
};

// The configuration as the receiver holds it, by what is known of it: unknown bytes read 0xFF.
RadioConfig KnownConfiguration(const KnownImage& known);

// The preview of writing `record` into a receiver known as `known`; `image` is the window's
// image (the receiver's region bytes among it), which the record is encoded into as a write
// encodes it. A record the image cannot hold gives the encoder's problems.
std::expected<WritePreview, std::vector<std::string>> PreviewChanges(const RadioConfig& record,
                                                                     const MemoryImage& image,
                                                                     const KnownImage& known);

}  // namespace kestrel::ui
