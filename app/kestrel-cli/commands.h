// The subcommands of kestrel-cli, one file each.
#pragma once

#include "cli.h"

namespace kestrel::cli {

// Each subcommand lives in cmd_<name>.cpp and returns its Command here.
Command NewCommand();      // new -o FILE.dat
Command CheckCommand();    // check FILE.dat
Command EncodeCommand();   // encode FILE.dat -o IMAGE.bin [--base IMAGE.bin]
Command DecodeCommand();   // decode IMAGE.bin -o FILE.dat
Command ReadCommand();     // read --port PORT -o FILE.dat ...
Command ProgramCommand();  // program --port PORT FILE.dat ...
Command ShowCommand();     // show FILE.dat [--report setmode|memory|bands]
Command PrintCommand();    // print FILE.dat --pdf OUT.pdf [--reports setmode,memory,bands]
Command ExportCommand();   // export FILE.dat -o CHANNELS.csv
Command ImportCommand();   // import CHANNELS.csv -o OUT.dat [--into BASE.dat] [--replace]
Command DiffCommand();     // diff A B
Command BackupsCommand();  // backups

}  // namespace kestrel::cli
