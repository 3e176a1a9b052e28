// kestrel-cli import: channels from a CSV channel table into a data file, every row checked by
// the channel editor's rules.
#include <algorithm>
#include <iostream>

#include "commands.h"
#include "files/channel_import.h"
#include "files/data_file.h"
#include "files/path_text.h"
#include "model/defaults.h"
#include "output_option.h"

namespace kestrel::cli {

namespace {

constexpr std::size_t kPrintedProblems = 100;

// "--at 250": a channel as the grid shows it, 000 to 999, as the record's number 1 to 1000.
std::optional<int> AtChannel(const std::string& text) {
  if (text.empty() || text.size() > 3 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  return std::stoi(text) + 1;
}

std::string Counted(int n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

int RunImport(std::span<const std::string> argv) {
  const std::optional<Args> args =
      ParseArgs(argv, {"-o", "--output", "--into", "--at"}, {"--replace", "--skip-bad"});
  if (!args) return Usage(ImportCommand());
  if (args->help) return Usage(ImportCommand(), true);
  const std::optional<std::string> output =
      args->Value("-o") ? args->Value("-o") : args->Value("--output");
  if (args->positional.size() != 1 || !output) return Usage(ImportCommand());
  const std::string& list = args->positional[0];
  ImportOptions options;
  options.replace = args->Has("--replace");
  options.skip_bad = args->Has("--skip-bad");
  if (const std::optional<std::string> at = args->Value("--at")) {
    options.at = AtChannel(*at);
    if (!options.at) {
      std::cerr << "kestrel-cli: --at takes a channel from 000 to 999, not '" << *at << "'\n";
      return Usage(ImportCommand());
    }
  }

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
  const ChannelImport result = ImportChannels(*text, base, options);
  PrintWarnings(result.warnings, list);
  for (std::size_t i = 0; i < std::min(result.problems.size(), kPrintedProblems); ++i) {
    std::cerr << "kestrel-cli: " << (result.refused ? "" : "left out: ")
              << FindingText(result.problems[i], list) << "\n";
  }
  if (result.problems.size() > kPrintedProblems) {
    std::cerr << "kestrel-cli: ... and " << result.problems.size() - kPrintedProblems << " more\n";
  }
  if (result.refused) {
    const bool rows_only = !RefusesWholeTable(result.problems);
    std::cerr << "kestrel-cli: nothing written: " << list << " has "
              << Counted(static_cast<int>(result.problems.size()), "problem", "problems")
              << (rows_only && !options.skip_bad ? "; --skip-bad takes the rest" : "") << "\n";
    return kExitData;
  }
  if (const int status = WriteOutput(*output, FormatDataFile(result.record)); status != kExitOk)
    return status;
  if (options.skip_bad) {
    std::cerr << "kestrel-cli: " << Counted(result.rows, "row", "rows") << ": "
              << Counted(result.imported, "channel", "channels") << " imported, " << result.left_out
              << " left out, "
              << Counted(static_cast<int>(result.overwritten.size()), "programmed channel",
                         "programmed channels")
              << " overwritten\n";
  }
  SummaryStream(*output) << *output << ": " << Counted(result.imported, "channel", "channels")
                         << " imported\n";
  return kExitOk;
}

}  // namespace

Command ImportCommand() {
  return {
      "import",
      "import CHANNELS.csv -o OUT.dat [--into BASE.dat] [--replace] [--skip-bad] [--at NNN]",
      "Reads a channel table (the columns export writes, the common channel-list layout of\n"
      "other tools, or a frequency database's list; comma, semicolon or tab separated) and\n"
      "writes OUT.dat: the channels of BASE.dat (a new configuration without --into) with\n"
      "every row put at its channel number (No. or Location, 000 to 999 as the grid shows\n"
      "them; Location 1 to 1000 in files the tool exported before No.); rows without one\n"
      "fill the first empty channels. --at NNN puts the rows at NNN, NNN+1, ... in file order\n"
      "instead. --replace empties every other channel first. Each row passes the channel\n"
      "editor's rules; any problem is listed with its line and column and nothing is written\n"
      "(exit status 65). --skip-bad takes the rows that pass, lists the ones left out and\n"
      "sums up on stderr. Warnings (names cut to six characters, ignored columns) go to\n"
      "stderr.",
      RunImport,
  };
}

}  // namespace kestrel::cli
