#include "model/channel_list.h"

#include <gtest/gtest.h>

#include <functional>

namespace kestrel {
namespace {

// Channels 1 to 8 as letters ("." for empty), the last one after a bar.
std::string Names(const RadioConfig& record) {
  std::string names;
  for (int number : {1, 2, 3, 4, 5, 6, 7, 8, kChannelCount}) {
    if (number == kChannelCount) names += '|';
    const MemoryChannel& channel = record.Channel(number);
    names += channel.IsProgrammed() ? channel.Name : ".";
  }
  return names;
}

// Channels 1 to 4 hold D, b, C and A at falling frequencies, channel 6 E; channel 5 is empty,
// with what an emptied channel may keep.
RadioConfig Record() {
  RadioConfig record;
  const char* names[] = {"D", "b", "C", "A"};
  for (int number = 1; number <= 4; ++number) {
    record.Channel(number) = {1, std::to_string(150000000 - number * 1000000), names[number - 1]};
  }
  record.Channel(5).Frequency = "1000000";
  record.Channel(6) = {1, "146000000", "E"};
  return record;
}

// Insert and remove move only the block up to an empty channel; moves and sorts stay within the
// channels given.
TEST(ChannelList, RearrangesWithinTheThousandPlaces) {
  const std::tuple<const char*, std::function<bool(RadioConfig&)>, std::string> cases[] = {
      {"insert 1 at 2", [](RadioConfig& r) { return InsertEmptyChannels(r, 2, 1).has_value(); },
       "D.bCAE..|."},
      {"insert 2 at 2: past the single gap",
       [](RadioConfig& r) { return InsertEmptyChannels(r, 2, 2).has_value(); }, "D..bCA.E|."},
      {"insert 1 at an empty channel",
       [](RadioConfig& r) { return InsertEmptyChannels(r, 5, 1).has_value(); }, "DbCA.E..|."},
      {"remove 1", [](RadioConfig& r) { return RemoveChannels(r, 1, 1), true; }, "bCA..E..|."},
      {"remove 2 to 3", [](RadioConfig& r) { return RemoveChannels(r, 2, 3), true; }, "DA...E..|."},
      {"remove 5 to 6", [](RadioConfig& r) { return RemoveChannels(r, 5, 6), true; }, "DbCA....|."},
      {"move 2 to 3 up", [](RadioConfig& r) { return MoveChannels(r, 2, 3, -1); }, "bCDA.E..|."},
      {"move 2 to 3 down", [](RadioConfig& r) { return MoveChannels(r, 2, 3, 1); }, "DAbC.E..|."},
      {"move the first up", [](RadioConfig& r) { return !MoveChannels(r, 1, 2, -1); },
       "DbCA.E..|."},
      {"sort by frequency",
       [](RadioConfig& r) { return SortChannels(r, 1, 5, ChannelOrder::kFrequency), true; },
       "ACbD.E..|."},
      {"sort by name",
       [](RadioConfig& r) { return SortChannels(r, 1, 5, ChannelOrder::kName), true; },
       "AbCD.E..|."}};
  for (const auto& [what, change, names] : cases) {
    RadioConfig record = Record();
    EXPECT_TRUE(change(record)) << what;
    EXPECT_EQ(Names(record), names) << what;
  }
  const RadioConfig start = Record();
  RadioConfig full = start;
  for (int number = 990; number <= kChannelCount; ++number)
    full.Channel(number) = {1, "7000000", "F"};
  full.Channel(995) = {};
  const RadioConfig before = full;
  const auto refused = InsertEmptyChannels(full, 991, 2);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error(),
            "there are not 2 empty channels in a row from channel 990 to the last "
            "one to take the channels pushed down");
  EXPECT_EQ(full, before);
  EXPECT_TRUE(InsertEmptyChannels(full, 991, 1));
  EXPECT_EQ(full.Channel(991).IsProgrammed(), false);
  EXPECT_EQ(full.Channel(995).Name, "F");
  // The last channel moves up too, and its place is left empty.
  full = before;
  RemoveChannels(full, 996, 996);
  EXPECT_EQ(full.Channel(999).Name, "F");
  EXPECT_FALSE(full.Channel(kChannelCount).IsProgrammed());
  RadioConfig record = start;
  record.Channel(999) = {1, "145000000", "LAST"};
  // Moving into the last place is allowed, out of it is not.
  EXPECT_TRUE(MoveChannels(record, 999, 999, 1));
  EXPECT_EQ(record.Channel(kChannelCount).Name, "LAST");
  EXPECT_FALSE(record.Channel(999).IsProgrammed());
  EXPECT_FALSE(MoveChannels(record, kChannelCount, kChannelCount, 1));
  EXPECT_EQ(record.Channel(kChannelCount).Name, "LAST");
}

// The last three channels (997 to 999) as letters, "." for empty.
std::string LastNames(const RadioConfig& record) {
  std::string names;
  for (int number = kChannelCount - 2; number <= kChannelCount; ++number) {
    names += record.Channel(number).IsProgrammed() ? record.Channel(number).Name : ".";
  }
  return names;
}

// An insert never pushes a programmed channel off the end: with no room left it is refused and
// changes nothing.
TEST(ChannelList, InsertAtTheEndNeverPushesTheLastChannelOff) {
  // The last three channels before, where the insert starts and how many, and after.
  const std::tuple<const char*, int, int, const char*> rows[] = {
      {"A.C", kChannelCount, 1, nullptr},  // the last channel programmed: no room at all
      {"A..", kChannelCount, 1, "A.."},       {"A.C", kChannelCount - 1, 1, "A.C"},
      {"A.C", kChannelCount - 1, 2, nullptr}, {"A.C", kChannelCount - 2, 1, ".AC"},
      {"A..", kChannelCount - 2, 2, "..A"}};
  for (const auto& [before, first, count, after] : rows) {
    RadioConfig record;
    for (int i = 0; i < 3; ++i) {
      if (before[i] != '.') record.Channel(kChannelCount - 2 + i) = {1, "7000000", {before[i]}};
    }
    const RadioConfig kept = record;
    EXPECT_EQ(InsertEmptyChannels(record, first, count).has_value(), after != nullptr)
        << before << " at " << first;
    EXPECT_EQ(LastNames(record), after ? after : before) << before << " at " << first;
    if (!after) {
      EXPECT_EQ(record, kept);
    }
  }
}

}  // namespace
}  // namespace kestrel
