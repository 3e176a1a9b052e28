// A configuration to compare or show, from either kind of file the tool writes: a data file, or
// a memory image file (exactly 20128 bytes, as a read's image output keeps it, or followed by what
// is known of the receiver, as a backup keeps it).
#pragma once

#include <expected>
#include <filesystem>
#include <string>

#include "model/radio_config.h"

namespace kestrel {

// A file of an image file's size is an image (no data file is that short) and is decoded as a
// read decodes it: the channels its bitmap marks are in use. Any other file is read as a data
// file, on top of the default configuration for the fields an older version lacks. The error
// names the file and says what is wrong with it.
std::expected<RadioConfig, std::string> LoadConfigurationSource(const std::filesystem::path& path);

}  // namespace kestrel
