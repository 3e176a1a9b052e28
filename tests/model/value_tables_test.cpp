#include "model/value_tables.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

// Sizes and the entries that later code indexes into; texts keep their blanks, and the channel
// tables lead with a blank entry.
TEST(ValueTables, SizesAndEntries) {
  using Entries = std::vector<std::pair<std::size_t, std::string_view>>;
  const std::tuple<ValueTable, std::size_t, Entries> rows[] = {
      {kStepTable, 13, {{3, "8.33"}, {4, "9"}}},
      {kTrainToneTable, 56, {{0, "300"}, {39, "2250"}, {40, "2280"}, {41, "2300"}, {55, "3000"}}},
      {kScramblerTable, 16, {{5, "3300"}, {15, "3500"}}},
      {kCtcssToneTable, 50, {{0, " 67.0"}, {8, " 88.5"}, {12, "100.0"}}},
      {kDcsCodeTable, 104, {{0, "023"}, {103, "754"}}},
      {kPauseTable, 12, {{4, "5 sec"}, {11, "12 sec"}}},
      {kSearchLinkTable, 10, {{9, "LTLNK 9"}}},
      {kBankLinkTable, 10, {{0, "BKLNK 0"}}},
      {kFastStepTable, 5, {{0, "10  k"}, {2, "1   M"}}},
      {kChannelToneTable, 51, {{0, ""}, {9, " 88.5"}}},
      {kChannelDcsTable, 105, {{0, ""}, {1, "023"}}},
      {kChannelScramblerTable, 17, {{0, ""}, {6, "3300"}}},
      {kChannelTrainToneTable, 57, {{0, ""}, {41, "2280"}}},
      {kChannelModeTable, 4, {{0, ""}}},
      {kToneSelectTable, 6, {{5, "DCS"}}}};
  for (const auto& [table, size, entries] : rows) {
    ASSERT_EQ(table.size(), size) << table[1];
    for (const auto& [at, text] : entries) EXPECT_EQ(table[at], text) << at;
  }
  for (std::string_view entry : kFastStepTable) EXPECT_EQ(entry.size(), 5u) << entry;
}

}  // namespace
}  // namespace kestrel
