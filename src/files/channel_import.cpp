#include "files/channel_import.h"

#include <array>

#include "files/file_io.h"
#include "model/channel.h"
#include "model/defaults.h"

namespace kestrel {

namespace {

// Far above any list of 1000 channels, low enough that a wrong file cannot eat memory; a larger
// list is refused by its row count with the line where it goes wrong.
constexpr std::size_t kMaxListFileSize = 64 * 1024 * 1024;

}  // namespace

ChannelImport ImportChannels(std::string_view text, const RadioConfig& base,
                             const ImportOptions& options) {
  ChannelTable table = ParseChannelTable(text, kAnyDelimiter, !options.at);
  ChannelImport result;
  result.record = base;
  result.rows = table.row_count;
  result.left_out = table.rows_left_out;
  result.warnings = std::move(table.warnings);
  result.problems = std::move(table.problems);
  const auto refuse = [&] {
    result.refused = true;
    result.record = base;
    return result;
  };
  if (RefusesWholeTable(table.problems) || (!options.skip_bad && !result.problems.empty()))
    return refuse();

  RadioConfig& record = result.record;
  if (options.replace) {
    for (int number = 1; number <= kChannelCount; ++number) ClearChannel(record, number);
  }
  std::array<bool, kChannelCount + 1> named{};
  for (const TableRow& row : table.rows) {
    if (row.location) named[static_cast<std::size_t>(*row.location)] = true;
  }
  int next_free = 1, next_at = options.at.value_or(0);
  for (const TableRow& row : table.rows) {
    int number = row.location.value_or(0);
    if (options.at) {
      number = next_at++;
    } else if (!row.location) {
      while (next_free <= kChannelCount && (named[static_cast<std::size_t>(next_free)] ||
                                            record.Channel(next_free).IsProgrammed())) {
        ++next_free;
      }
      number = next_free++;
    }
    if (number > kChannelCount) {
      result.problems.push_back({.line = row.line,
                                 .message = options.at ? "the row would go past channel 999"
                                                       : "no empty channel is left for this row"});
      ++result.left_out;
      continue;
    }
    if (record.Channel(number).IsProgrammed()) result.overwritten.push_back(number);
    MemoryChannel& channel = record.Channel(number) = row.channel;
    // A channel without DCS keeps polarity 0 in the record, as a cleared one does, so that a
    // list exported and read back gives the record it came from.
    if (channel.RevDcs == kNoPolarity) channel.RevDcs = 0;
    ++result.imported;
  }
  if (!options.skip_bad && !result.problems.empty()) return refuse();
  if (result.imported == 0 && !result.problems.empty()) return refuse();
  return result;
}

std::expected<std::string, std::string> ReadChannelListFile(const std::filesystem::path& path) {
  return ReadFileBytes(path, kMaxListFileSize, "a channel list");
}

}  // namespace kestrel
