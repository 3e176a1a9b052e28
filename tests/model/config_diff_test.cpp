#include "model/config_diff.h"

#include <gtest/gtest.h>

#include <functional>

namespace kestrel {

// Differences as the failure message shows them.
void PrintTo(const ConfigDifference& difference, std::ostream* out) {
  *out << static_cast<int>(difference.place.kind) << "/" << difference.place.index << " "
       << difference.text;
}

namespace {

using Kind = DifferencePlace::Kind;

// Fields in order: InUse, Frequency, Name, Mode, Step, ToneSelect, TsqTone, RevTsqTone, DcsCode,
// RevDcs, Scrambler, TrainTone.
const MemoryChannel kRepeater{1, "145500000", "REP   ", 1, 6, 1, 9, 0, 0, -1, 0, 0};

struct Case {
  const char* what;
  std::function<void(RadioConfig& before, RadioConfig& after)> change;
  std::vector<ConfigDifference> expected;
};

TEST(ConfigDiff, EachKindOfDifferenceIsOneLineOldThenNew) {
  const Case cases[]{
      {"the same", [](RadioConfig&, RadioConfig&) {}, {}},
      {"Set Mode",
       [](RadioConfig& b, RadioConfig& a) {
         b.SetMode[fn::kPause] = 4;
         a.SetMode[fn::kPause] = 1;
       },
       {{{Kind::kSetMode, fn::kPause}, "Set Mode PAUSE: 5 sec -> 2 sec"}}},
      {"a function without a list shows its stored values",
       [](RadioConfig&, RadioConfig& a) { a.SetMode[fn::kVolt] = 3; },
       {{{Kind::kSetMode, fn::kVolt}, "Set Mode VOLT: 0 -> 3"}}},
      {"first channel added",
       [](RadioConfig&, RadioConfig& a) { a.Channel(1) = kRepeater; },
       {{{Kind::kChannel, 1}, "000: added 145.50000 MHz FM \"REP\""}}},
      {"last channel removed",
       [](RadioConfig& b, RadioConfig&) { b.Channel(1000) = kRepeater; },
       {{{Kind::kChannel, 1000}, "999: removed 145.50000 MHz FM \"REP\""}}},
      {"several fields in one line, in the grid's order, the hidden step last",
       [](RadioConfig& b, RadioConfig& a) {
         b.Channel(12) = a.Channel(12) = kRepeater;
         a.Channel(12).Frequency = "145525000";
         a.Channel(12).Name = "RPT";
         a.Channel(12).Mode = 3;
         a.Channel(12).ToneSelect = 0;
         a.Channel(12).Step = 9;
       },
       {{{Kind::kChannel, 12},
         "011: Frequency 145.50000 -> 145.52500 MHz, NAME \"REP\" -> \"RPT\", Mode FM -> AM, "
         "TONE SELECT TSQ -> VFO, Step 12.5 -> 25"}}},
      {"under 10 Hz apart and leading blanks are shown exactly",
       [](RadioConfig& b, RadioConfig& a) {
         b.Channel(801) = a.Channel(801) = kRepeater;
         b.Channel(801).Frequency = "6030001";
         a.Channel(801).Frequency = "6030004";
         a.Channel(801).Name = " REP";
       },
       {{{Kind::kChannel, 801},
         "800: Frequency 6.030001 -> 6.030004 MHz, NAME \"REP\" -> \" REP\""}}},
      {"a tone from nothing, and DCS with its polarity",
       [](RadioConfig& b, RadioConfig& a) {
         b.Channel(5) = a.Channel(5) = kRepeater;
         b.Channel(5).TsqTone = 0;
         b.Channel(6) = a.Channel(6) = kRepeater;
         a.Channel(6).ToneSelect = 5;
         a.Channel(6).DcsCode = 1;
         a.Channel(6).RevDcs = 1;
       },
       {{{Kind::kChannel, 5}, "004: TSQ (none) -> 88.5"},
        {{Kind::kChannel, 6},
         "005: TONE SELECT TSQ -> DCS, DCS (none) -> 023, REV DCS (none) -> REV"}}},
      {"what shows nothing differs in nothing",
       [](RadioConfig& b, RadioConfig& a) {
         b.Channel(7) = a.Channel(7) = kRepeater;
         a.Channel(7).RevDcs = 0;    // a polarity under TSQ
         a.Channel(7).Name = "REP";  // padding
         a.Channel(7).Frequency = "145500000.2";
         b.Channel(8) = kRepeater;  // empty channels with other fields
         b.Channel(8).InUse = 0;
         a.Channel(9).InUse = b.Channel(9).InUse = 1;
         a.Channel(9).InUse = 2;
       },
       {}},
      {"band limits",
       [](RadioConfig& b, RadioConfig& a) {
         b.Band(2) = {"118.00000", "136.00000"};
         a.Band(2) = {"144.00000", "136.00000"};
         a.Band(23) = {"", "30.00000"};
       },
       {{{Kind::kBand, 2}, "band L02: lower 118.00000 -> 144.00000 MHz"},
        {{Kind::kBand, 23}, "band L--: upper (none) -> 30.00000 MHz"}}},
      {"Factory Settings as their page shows them",
       [](RadioConfig&, RadioConfig& a) {
         a.Factory.SqlLevel[3] = 40;
         a.Factory.ChargeTime = 2;
         a.Factory.UnlockWait[2] = 7;
       },
       {{{Kind::kFactory, 3}, "Factory Settings SQL Setting WFM Tight: 0 -> 40"},
        {{Kind::kFactory, 20}, "Factory Settings Charge Time: 1 -> 3 Hours"},
        {{Kind::kFactory, 33}, "Factory Settings PLL Unlock Wait Time SQL: 0 -> 7 mSec"}}},
      {"pages in order: Set Mode, channels, bands, Factory Settings",
       [](RadioConfig&, RadioConfig& a) {
         a.Factory.DcsErrorBit = 1;
         a.Band(0).LowFrequency = "0.10000";
         a.Channel(1000) = kRepeater;
         a.SetMode[fn::kLamp] = 2;
       },
       {{{Kind::kSetMode, fn::kLamp}, "Set Mode LAMP: OFF -> AUTO"},
        {{Kind::kChannel, 1000}, "999: added 145.50000 MHz FM \"REP\""},
        {{Kind::kBand, 0}, "band L00: lower (none) -> 0.10000 MHz"},
        {{Kind::kFactory, 21}, "Factory Settings DCS Error bit: 0 -> 1"}}},
  };
  for (const Case& c : cases) {
    RadioConfig before;
    RadioConfig after;
    c.change(before, after);
    EXPECT_EQ(CompareConfigurations(before, after), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace kestrel
