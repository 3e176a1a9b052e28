#include "model/value_tables.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(ValueTables, EntriesThatLaterCodeIndexesInto) {
  ASSERT_EQ(kStepTable.size(), 13u);
  EXPECT_EQ(kStepTable[3], "8.33");
  EXPECT_EQ(kStepTable[4], "9");
  ASSERT_EQ(kTrainToneTable.size(), 56u);
  EXPECT_EQ(kTrainToneTable[0], "300");
  EXPECT_EQ(kTrainToneTable[39], "2250");
  EXPECT_EQ(kTrainToneTable[40], "2280");
  EXPECT_EQ(kTrainToneTable[41], "2300");
  EXPECT_EQ(kTrainToneTable[55], "3000");
  ASSERT_EQ(kScramblerTable.size(), 16u);
  EXPECT_EQ(kScramblerTable[5], "3300");
  EXPECT_EQ(kScramblerTable[15], "3500");
  ASSERT_EQ(kCtcssToneTable.size(), 50u);
  EXPECT_EQ(kCtcssToneTable[8], " 88.5");
  ASSERT_EQ(kDcsCodeTable.size(), 104u);
  EXPECT_EQ(kDcsCodeTable.front(), "023");
  EXPECT_EQ(kDcsCodeTable.back(), "754");
  EXPECT_EQ(kPauseTable[4], "5 sec");
  EXPECT_EQ(kPauseTable[11], "12 sec");
  EXPECT_EQ(kSearchLinkTable[9], "LTLNK 9");
  EXPECT_EQ(kBankLinkTable[0], "BKLNK 0");
}

TEST(ValueTables, TextsKeepTheirBlanks) {
  EXPECT_EQ(kFastStepTable[2], "1   M");
  EXPECT_EQ(kFastStepTable[0], "10  k");
  for (std::string_view entry : kFastStepTable) EXPECT_EQ(entry.size(), 5u) << entry;
  EXPECT_EQ(kCtcssToneTable[0], " 67.0");
  EXPECT_EQ(kCtcssToneTable[12], "100.0");
}

TEST(ValueTables, ChannelTablesLeadWithABlankEntry) {
  EXPECT_EQ(kChannelToneTable.size(), 51u);
  EXPECT_EQ(kChannelDcsTable.size(), 105u);
  EXPECT_EQ(kChannelScramblerTable.size(), 17u);
  EXPECT_EQ(kChannelTrainToneTable.size(), 57u);
  for (ValueTable table : {ValueTable(kChannelToneTable), ValueTable(kChannelDcsTable),
                           ValueTable(kChannelScramblerTable), ValueTable(kChannelTrainToneTable),
                           ValueTable(kChannelModeTable)}) {
    EXPECT_EQ(table[0], "");
  }
  EXPECT_EQ(kChannelToneTable[9], " 88.5");
  EXPECT_EQ(kChannelTrainToneTable[41], "2280");
  EXPECT_EQ(kChannelScramblerTable[6], "3300");
  EXPECT_EQ(kChannelDcsTable[1], "023");
  EXPECT_EQ(kToneSelectTable[5], "DCS");
}

TEST(ValueTables, PositionsOutsideATableReadAsBlank) {
  EXPECT_EQ(TableEntry(kChannelModeTable, 3), "AM");
  EXPECT_EQ(TableEntry(kChannelModeTable, 4), "");
  EXPECT_EQ(TableEntry(kChannelModeTable, -1), "");
  EXPECT_EQ(TableEntry(ValueTable{}, 0), "");
  // A list shows no entry for a position it does not hold.
  EXPECT_EQ(ShownPosition(3, 4), 3);
  EXPECT_EQ(ShownPosition(4, 4), -1);
  EXPECT_EQ(ShownPosition(-2, 4), -1);
}

TEST(ValueTables, SetModeFunctions) {
  EXPECT_EQ(SetModeFunctionName(fn::kStep), "STEP");
  EXPECT_EQ(SetModeFunctionName(fn::kTimer), "TIMMER");
  EXPECT_EQ(SetModeFunctionName(fn::kAdjust), "ADJUST");
  EXPECT_EQ(SetModeFunctionName(35), "");
  int without_table = 0;
  for (int f = 0; f < kSetModeFunctionCount; ++f) {
    EXPECT_FALSE(SetModeFunctionName(f).empty()) << f;
    without_table += SetModeValueTable(f).empty() ? 1 : 0;
  }
  EXPECT_EQ(without_table, 5);
  for (int f : {fn::kSearchMemory, fn::kBankClear, fn::kSkipClear, fn::kMemorySkipClear, fn::kVolt})
    EXPECT_TRUE(SetModeValueTable(f).empty()) << f;
  EXPECT_EQ(SetModeValueTable(fn::kRevTsq).data(), kCtcssToneTable.data());
  EXPECT_EQ(SetModeValueTable(fn::kAdjust).size(), 3u);
  int plus_one = 0;
  for (int f = 0; f < kSetModeFunctionCount; ++f) plus_one += SetModeStoredPlusOne(f) ? 1 : 0;
  EXPECT_EQ(plus_one, 6);
  EXPECT_TRUE(SetModeStoredPlusOne(fn::kDcs));
  EXPECT_FALSE(SetModeStoredPlusOne(fn::kRevDcs));
}

}  // namespace
}  // namespace kestrel
