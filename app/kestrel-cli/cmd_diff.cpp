// kestrel-cli diff: what differs between two configurations, one line per item, old then new.
#include <iostream>

#include "commands.h"
#include "files/config_source.h"
#include "files/path_text.h"
#include "model/config_diff.h"
#include "model/cp1252.h"

namespace kestrel::cli {

namespace {

// The exit status for two configurations that differ, as diff and cmp give it.
constexpr int kExitDiffer = 1;

int RunDiff(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {}, {});
  if (!args) return Usage(DiffCommand());
  if (args->help) return Usage(DiffCommand(), true);
  if (args->positional.size() != 2) return Usage(DiffCommand());

  RadioConfig sides[2];
  for (std::size_t i = 0; i < 2; ++i) {
    auto loaded = LoadConfigurationSource(PathFromUtf8(args->positional[i]));
    if (!loaded) {
      std::cerr << "kestrel-cli: " << loaded.error() << "\n";
      return kExitData;
    }
    sides[i] = *std::move(loaded);
  }
  const std::vector<ConfigDifference> differences = CompareConfigurations(sides[0], sides[1]);
  for (const ConfigDifference& difference : differences) {
    std::cout << Cp1252ToUtf8(difference.text) << "\n";
  }
  return differences.empty() ? kExitOk : kExitDiffer;
}

}  // namespace

Command DiffCommand() {
  return {"diff", "diff A B",
          "Compares two configurations and prints one line for each Set Mode function, channel,\n"
          "search band or Factory Settings value that differs, in the words of the pages and the\n"
          "memory grid, the value in A before the value in B:\n"
          "  Set Mode PAUSE: 5 sec -> 2 sec\n"
          "  011: added 145.50000 MHz FM \"REP\"\n"
          "  800: Frequency 6.03000 -> 6.03500 MHz, Mode FM -> AM\n"
          "  band L02: lower 118.00000 -> 144.00000 MHz\n"
          "Values that differ but show alike are given exactly (6.030001 -> 6.030004 MHz).\n"
          "A and B are data files or memory image files (20128 bytes, as read --image-out\n"
          "writes them, or with what is known of the receiver after them, as program\n"
          "--image-out and the backups of reads keep them). Exit status 0 when they are the same "
          "(nothing is printed), 1 when they\n"
          "differ, 65 when a file cannot be read.",
          RunDiff};
}

}  // namespace kestrel::cli
