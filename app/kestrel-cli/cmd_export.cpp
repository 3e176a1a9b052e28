// kestrel-cli export: the programmed channels of a data file as a CSV channel table.
#include <iostream>

#include "commands.h"
#include "files/channel_csv.h"
#include "files/data_file.h"
#include "files/path_text.h"
#include "model/defaults.h"
#include "output_option.h"

namespace kestrel::cli {

namespace {

int RunExport(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {"-o", "--output"}, {});
  if (!args) return Usage(ExportCommand());
  if (args->help) return Usage(ExportCommand(), true);
  const std::optional<std::string> output =
      args->Value("-o") ? args->Value("-o") : args->Value("--output");
  if (args->positional.size() != 1 || !output) return Usage(ExportCommand());

  const auto record = LoadDataFile(PathFromUtf8(args->positional[0]), NewConfiguration());
  if (!record) {
    std::cerr << "kestrel-cli: " << record.error().ToString() << "\n";
    return kExitData;
  }
  const std::vector<NumberedChannel> channels = ProgrammedChannels(*record);
  if (const int status = WriteOutput(*output, FormatChannelTable(channels)); status != kExitOk)
    return status;
  SummaryStream(*output) << *output << ": " << channels.size() << " channels exported\n";
  return kExitOk;
}

}  // namespace

Command ExportCommand() {
  return {
      "export",
      "export FILE.dat -o CHANNELS.csv",
      "Writes the programmed channels of FILE.dat as a CSV table with the columns\n"
      "Location,Name,Frequency,Mode,ToneSelect,TSQ,RevTSQ,DCS,DCSPolarity,Scrambler,Train,Step.\n"
      "Location is the channel number 1 to 1000 (the grid shows it less one, \"000\" to \"999\");\n"
      "Frequency is in MHz, exact to the Hz. -o - writes the table to standard output.",
      RunExport,
  };
}

}  // namespace kestrel::cli
