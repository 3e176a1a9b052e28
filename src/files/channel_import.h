// Channel lists into a configuration: the rows of a table put in place over a record, as
// kestrel-cli import and the window's File > Import Channels do it.
#pragma once

#include <expected>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/channel_csv.h"
#include "model/radio_config.h"

namespace kestrel {

struct ImportOptions {
  bool replace = false;     // every channel emptied first
  bool skip_bad = false;    // rows with a problem left out and the rest taken
  std::optional<int> at{};  // rows put at this channel (1 to 1000) and on, their numbers unread
};

struct ChannelImport {
  RadioConfig record;            // the base with the rows in place; the base itself when refused
  bool refused = false;          // nothing is to be changed or written
  int rows = 0;                  // rows read
  int imported = 0;              // rows put in place
  int left_out = 0;              // rows with a problem, left out
  std::vector<int> overwritten;  // programmed channels of the base a row was put over
  std::vector<Finding> warnings;
  std::vector<Finding> problems;  // every row left out, or what refuses the list
};

// Reads `text` as a channel table and puts its rows over `base`: a row with a channel number at
// that channel, every other row into the first channel that is empty and that no row names, in
// the order of the rows; with `at`, every row from that channel on, in the order of the rows. A
// row that finds no channel is a problem of its row. Any problem refuses the list, unless
// `skip_bad` takes the rows without one; a fault of the whole table, and a list of which no row
// passes, are refused either way. A channel put in place without DCS holds polarity 0, as a
// cleared channel does.
ChannelImport ImportChannels(std::string_view text, const RadioConfig& base,
                             const ImportOptions& options = {});

// The bytes of a channel list file (only a regular file, at most 64 MB); the error is the reason.
std::expected<std::string, std::string> ReadChannelListFile(const std::filesystem::path& path);

}  // namespace kestrel
