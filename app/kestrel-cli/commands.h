// The subcommands of kestrel-cli, one file each.
#pragma once

#include "cli.h"

namespace kestrel::cli {

// Each subcommand lives in cmd_<name>.cpp and returns its Command here.
Command NewCommand();    // new -o FILE.dat
Command CheckCommand();  // check FILE.dat

}  // namespace kestrel::cli
