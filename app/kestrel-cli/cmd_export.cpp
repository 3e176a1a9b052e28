// kestrel-cli export: the programmed channels of a data file as a CSV channel table.
#include <iostream>

#include "commands.h"
#include "files/channel_csv.h"
#include "files/data_file.h"
#include "files/path_text.h"
#include "model/defaults.h"
#include "model/display_texts.h"
#include "output_option.h"

namespace kestrel::cli {

namespace {

int RunExport(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {"-o", "--output", "--layout"}, {});
  if (!args) return Usage(ExportCommand());
  if (args->help) return Usage(ExportCommand(), true);
  const std::optional<std::string> output =
      args->Value("-o") ? args->Value("-o") : args->Value("--output");
  if (args->positional.size() != 1 || !output) return Usage(ExportCommand());
  const std::string layout = args->Value("--layout").value_or("own");
  if (layout != "own" && layout != "common") {
    std::cerr << "kestrel-cli: --layout is own or common, not '" << layout << "'\n";
    return Usage(ExportCommand());
  }

  const auto record = LoadDataFile(PathFromUtf8(args->positional[0]), NewConfiguration());
  if (!record) {
    std::cerr << "kestrel-cli: " << record.error().ToString() << "\n";
    return kExitData;
  }
  const std::vector<NumberedChannel> channels = ProgrammedChannels(*record);
  std::vector<int> unheld;
  const std::string table = layout == "common" ? FormatCommonChannelTable(channels, unheld)
                                               : FormatChannelTable(channels);
  if (const int status = WriteOutput(*output, table); status != kExitOk) return status;
  if (!unheld.empty()) {
    std::cerr << "kestrel-cli: warning: the common layout has no place for train tones and "
                 "scrambler carriers; exported without them: channel";
    for (std::size_t i = 0; i < unheld.size(); ++i) {
      std::cerr << (i == 0 ? (unheld.size() == 1 ? " " : "s ") : ", ")
                << ChannelNumberText(unheld[i]);
    }
    std::cerr << "\n";
  }
  SummaryStream(*output) << *output << ": " << channels.size() << " channels exported\n";
  return kExitOk;
}

}  // namespace

Command ExportCommand() {
  return {
      "export",
      "export FILE.dat -o CHANNELS.csv [--layout own|common]",
      "Writes the programmed channels of FILE.dat as a CSV table with the columns\n"
      "No.,Name,Frequency,Mode,ToneSelect,TSQ,RevTSQ,DCS,DCSPolarity,Scrambler,Train,Step.\n"
      "No. is the channel number as the grid shows it, 000 to 999; Frequency is in MHz, exact\n"
      "to the Hz. --layout common writes the common channel-list layout of other tools\n"
      "instead (Location from 0, Tone, cToneFreq, DtcsCode, ...); train tones and scrambler\n"
      "carriers, which it cannot hold, are left out and named in a warning. -o - writes the\n"
      "table to standard output.",
      RunExport,
  };
}

}  // namespace kestrel::cli
