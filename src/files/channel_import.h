// Channel lists into a configuration: the rows of a table put in place over a record, as
// kestrel-cli import and the window's File > Import Channels do it.
#pragma once

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/channel_csv.h"
#include "model/radio_config.h"

namespace kestrel {

struct ChannelImport {
  RadioConfig record;  // the base with the rows in place; the base itself when there are problems
  int imported = 0;    // rows put in place
  std::vector<TableNote> warnings;
  std::vector<TableNote> problems;  // when there are any, nothing is to be changed or written
};

// Reads `text` as a comma-separated channel table and puts its rows over `base`: a row with a
// Location at that channel, every other row into the first channel that is empty and that no row
// names, in the order of the rows. `replace` empties every channel first. A channel put in place
// without DCS holds polarity 0, as a cleared channel does.
ChannelImport ImportChannels(std::string_view text, const RadioConfig& base, bool replace);

// The bytes of a channel list file (only a regular file, at most 64 MB); the error is the reason.
std::expected<std::string, std::string> ReadChannelListFile(const std::filesystem::path& path);

}  // namespace kestrel
