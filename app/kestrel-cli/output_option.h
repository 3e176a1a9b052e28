// The files a subcommand writes, named with -o, --image-out or --pdf. "-" is standard output;
// any other name is saved as files/output_file.h saves files (complete or not at all).
#pragma once

#include <expected>
#include <iosfwd>
#include <string>
#include <string_view>

#include "files/output_file.h"

namespace kestrel::cli {

// Gets the output ready before any work is done; the error is the line to print.
std::expected<OutputFile, std::string> OpenOutput(const std::string& name);

// Writes `bytes` to the output `name` at once. On failure prints why and returns kExitData.
int WriteOutput(const std::string& name, std::string_view bytes);

// Where a subcommand's summary goes: stderr when its output itself goes to standard output.
std::ostream& SummaryStream(const std::string& output_name);

}  // namespace kestrel::cli
