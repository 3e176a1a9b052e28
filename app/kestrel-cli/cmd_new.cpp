// kestrel-cli new: writes the configuration File > New starts with.
#include "commands.h"
#include "files/data_file.h"
#include "model/defaults.h"
#include "output_option.h"

namespace kestrel::cli {

namespace {

int RunNew(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {"-o", "--output"}, {});
  if (!args) return Usage(NewCommand());
  if (args->help) return Usage(NewCommand(), true);
  const std::optional<std::string> output =
      args->Value("-o") ? args->Value("-o") : args->Value("--output");
  if (!output || !args->positional.empty()) return Usage(NewCommand());

  return WriteOutput(*output, FormatDataFile(NewConfiguration()));
}

}  // namespace

Command NewCommand() {
  return {"new", "new -o FILE.dat",
          "Writes the default configuration (the 89 broadcast presets, default Set Mode, search\n"
          "bands and factory values) to FILE.dat, replacing it if it exists.\n\n"
          "  -o, --output FILE.dat   the data file to write; - writes it to standard output",
          RunNew};
}

}  // namespace kestrel::cli
