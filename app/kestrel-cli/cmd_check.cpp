// kestrel-cli check: loads a data file and summarises it, or says which line is wrong; warns
// about values outside their tables and channels the editor would refuse.
#include <iostream>

#include "commands.h"
#include "files/data_file.h"
#include "files/path_text.h"
#include "model/defaults.h"
#include "model/record_check.h"

namespace kestrel::cli {

namespace {

int RunCheck(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {}, {});
  if (!args) return Usage(CheckCommand());
  if (args->help) return Usage(CheckCommand(), true);
  if (args->positional.size() != 1) return Usage(CheckCommand());

  const auto loaded = ReadDataFile(PathFromUtf8(args->positional[0]), NewConfiguration());
  if (!loaded) {
    std::cerr << "kestrel-cli: " << loaded.error().ToString() << "\n";
    return kExitData;
  }
  std::cout << "version: " << loaded->version << "\n"
            << "programmed channels: " << loaded->record.ProgrammedChannelCount() << "\n";
  PrintWarnings(CheckRecord(loaded->record));
  return kExitOk;
}

}  // namespace

Command CheckCommand() {
  return {"check", "check FILE.dat",
          "Reads FILE.dat and prints its version and the number of programmed channels.\n"
          "Values outside their value tables and channels the channel editor would refuse are\n"
          "named as warnings on stderr; the exit status stays 0 for a file that loads.\n"
          "A file that cannot be read is reported with its line and the reason (exit status 65).",
          RunCheck};
}

}  // namespace kestrel::cli
