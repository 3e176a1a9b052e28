#include "model/channel_list.h"

#include <gtest/gtest.h>

#include <functional>

namespace kestrel {
namespace {

// Channels 1 to 5 as letters ("." for empty), the last one after a bar.
std::string Names(const RadioConfig& record) {
  std::string names;
  for (int number : {1, 2, 3, 4, 5, kChannelCount}) {
    if (number == kChannelCount) names += '|';
    const MemoryChannel& channel = record.Channel(number);
    names += channel.IsProgrammed() ? channel.Name : ".";
  }
  return names;
}

// Channels 1 to 4 hold D, b, C and A at falling frequencies; channel 5 is empty, with what an
// emptied channel may keep.
RadioConfig Record() {
  RadioConfig record;
  const char* names[] = {"D", "b", "C", "A"};
  for (int number = 1; number <= 4; ++number) {
    record.Channel(number) = {1, std::to_string(150000000 - number * 1000000), names[number - 1]};
  }
  record.Channel(5).Frequency = "1000000";
  return record;
}

TEST(ChannelList, RearrangesWithinTheThousandPlaces) {
  const std::tuple<const char*, std::function<void(RadioConfig&)>, std::string> cases[] = {
      {"insert two before 2", [](RadioConfig& r) { ASSERT_TRUE(InsertEmptyChannels(r, 2, 2)); },
       "D..bC|."},
      {"remove 2 to 3", [](RadioConfig& r) { RemoveChannels(r, 2, 3); }, "DA...|."},
      {"move 2 to 3 up", [](RadioConfig& r) { EXPECT_TRUE(MoveChannels(r, 2, 3, -1)); }, "bCDA.|."},
      {"move 2 to 3 down", [](RadioConfig& r) { EXPECT_TRUE(MoveChannels(r, 2, 3, 1)); },
       "DAbC.|."},
      {"move the first up", [](RadioConfig& r) { EXPECT_FALSE(MoveChannels(r, 1, 2, -1)); },
       "DbCA.|."},
      {"sort by frequency", [](RadioConfig& r) { SortChannels(r, 1, 5, ChannelOrder::kFrequency); },
       "ACbD.|."},
      {"sort by name", [](RadioConfig& r) { SortChannels(r, 1, 5, ChannelOrder::kName); },
       "AbCD.|."}};
  for (const auto& [what, change, names] : cases) {
    RadioConfig record = Record();
    change(record);
    EXPECT_EQ(Names(record), names) << what;
  }
}

TEST(ChannelList, InsertingNeverPushesAProgrammedChannelOffTheEnd) {
  RadioConfig record = Record();
  record.Channel(999) = {1, "145000000", "LAST"};
  const RadioConfig before = record;
  EXPECT_TRUE(InsertEmptyChannels(record, 1, 1));
  EXPECT_EQ(record.Channel(kChannelCount).Name, "LAST");
  const auto refused = InsertEmptyChannels(record, 1, 1);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error(),
            "channel 999 is programmed and would be pushed off the end of the list");
  record = before;
  RemoveChannels(record, 1, 1);
  EXPECT_EQ(record.Channel(998).Name, "LAST");
  EXPECT_FALSE(record.Channel(kChannelCount).IsProgrammed());
  // The last channel moves up too, and its place is left empty.
  record = before;
  record.Channel(kChannelCount) = {1, "146000000", "END"};
  RemoveChannels(record, 1, 1);
  EXPECT_EQ(record.Channel(999).Name, "END");
  EXPECT_FALSE(record.Channel(kChannelCount).IsProgrammed());
  // Moving into the last place is allowed, out of it is not.
  record = before;
  EXPECT_TRUE(MoveChannels(record, 999, 999, 1));
  EXPECT_EQ(record.Channel(kChannelCount).Name, "LAST");
  EXPECT_FALSE(record.Channel(999).IsProgrammed());
  EXPECT_FALSE(MoveChannels(record, kChannelCount, kChannelCount, 1));
  EXPECT_EQ(record.Channel(kChannelCount).Name, "LAST");
}

}  // namespace
}  // namespace kestrel
