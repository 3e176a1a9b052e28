// kestrel-cli import: channels from a CSV channel table into a data file, every row checked by
// the channel editor's rules.
#include <iostream>

#include "commands.h"
#include "files/channel_import.h"
#include "files/data_file.h"
#include "files/path_text.h"
#include "model/defaults.h"
#include "output_option.h"

namespace kestrel::cli {

namespace {

int RunImport(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {"-o", "--output", "--into"}, {"--replace"});
  if (!args) return Usage(ImportCommand());
  if (args->help) return Usage(ImportCommand(), true);
  const std::optional<std::string> output =
      args->Value("-o") ? args->Value("-o") : args->Value("--output");
  if (args->positional.size() != 1 || !output) return Usage(ImportCommand());
  const std::string& list = args->positional[0];

  RadioConfig base = NewConfiguration();
  if (const std::optional<std::string> into = args->Value("--into")) {
    auto loaded = LoadDataFile(PathFromUtf8(*into), base);
    if (!loaded) {
      std::cerr << "kestrel-cli: " << loaded.error().ToString() << "\n";
      return kExitData;
    }
    base = std::move(*loaded);
  }
  const auto text = ReadChannelListFile(PathFromUtf8(list));
  if (!text) {
    std::cerr << "kestrel-cli: " << list << ": cannot be read: " << text.error() << "\n";
    return kExitData;
  }
  const ChannelImport result = ImportChannels(*text, base, args->Has("--replace"));
  for (const TableNote& warning : result.warnings) {
    std::cerr << "kestrel-cli: warning: " << warning.ToString(list) << "\n";
  }
  if (!result.problems.empty()) {
    for (const TableNote& problem : result.problems) {
      std::cerr << "kestrel-cli: " << problem.ToString(list) << "\n";
    }
    std::cerr << "kestrel-cli: nothing written: " << list << " has " << result.problems.size()
              << (result.problems.size() == 1 ? " problem\n" : " problems\n");
    return kExitData;
  }
  if (const int status = WriteOutput(*output, FormatDataFile(result.record)); status != kExitOk)
    return status;
  SummaryStream(*output) << *output << ": " << result.imported
                         << (result.imported == 1 ? " channel" : " channels") << " imported\n";
  return kExitOk;
}

}  // namespace

Command ImportCommand() {
  return {
      "import",
      "import CHANNELS.csv -o OUT.dat [--into BASE.dat] [--replace]",
      "Reads a CSV channel table (the columns export writes, or the common channel-list layout\n"
      "with Tone, cToneFreq, DtcsCode, DtcsPolarity and TStep) and writes OUT.dat: the channels\n"
      "of BASE.dat (a new configuration without --into) with every row put at its Location;\n"
      "rows without one fill the first empty channels. --replace empties every other channel\n"
      "first. Each row passes the channel editor's rules; any problem is listed with its line\n"
      "and column and nothing is written (exit status 65). Warnings (names cut to six\n"
      "characters, ignored columns) go to stderr.",
      RunImport,
  };
}

}  // namespace kestrel::cli
