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

ChannelImport ImportChannels(std::string_view text, const RadioConfig& base, bool replace) {
  ChannelTable table = ParseChannelTable(text, kFileDelimiter);
  ChannelImport result{base, 0, std::move(table.warnings), std::move(table.problems)};
  if (!result.problems.empty()) return result;

  RadioConfig record = base;
  if (replace) {
    for (int number = 1; number <= kChannelCount; ++number) ClearChannel(record, number);
  }
  std::array<bool, kChannelCount + 1> named{};
  for (const TableRow& row : table.rows) {
    if (row.location) named[static_cast<std::size_t>(*row.location)] = true;
  }
  int next_free = 1;
  for (const TableRow& row : table.rows) {
    int number = row.location.value_or(0);
    if (!row.location) {
      while (next_free <= kChannelCount && (named[static_cast<std::size_t>(next_free)] ||
                                            record.Channel(next_free).IsProgrammed())) {
        ++next_free;
      }
      if (next_free > kChannelCount) {
        result.problems.push_back(
            {row.line, "", "no empty channel is left for this row and the rows after it"});
        return result;
      }
      number = next_free++;
    }
    MemoryChannel& channel = record.Channel(number) = row.channel;
    // A channel without DCS keeps polarity 0 in the record, as a cleared one does, so that a
    // list exported and read back gives the record it came from.
    if (channel.RevDcs == kNoPolarity) channel.RevDcs = 0;
  }
  result.record = std::move(record);
  result.imported = static_cast<int>(table.rows.size());
  return result;
}

std::expected<std::string, std::string> ReadChannelListFile(const std::filesystem::path& path) {
  return ReadFileBytes(path, kMaxListFileSize, "a channel list");
}

}  // namespace kestrel
