#include "model/finding.h"

#include <gtest/gtest.h>

#include "model/value_tables.h"

namespace kestrel {
namespace {

TEST(FindingText, NamesThePlaceBeforeTheMessage) {
  const struct {
    Finding finding;
    std::string_view source;
    std::string text;
  } cases[] = {
      {{.channel = 800, .field = "STEP", .message = "13 is not in the step table"},
       "",
       "channel 799, STEP: 13 is not in the step table"},
      {{.line = 12, .field = "DtcsCode", .message = "999 is not a DCS code"},
       "channels.csv",
       "channels.csv, line 12, column DtcsCode: 999 is not a DCS code"},
      {{.line = 4, .message = "more than 1000 channel rows"},
       "",
       "line 4: more than 1000 channel rows"},
      {{.channel = 12, .line = 3, .field = "Frequency", .message = "m"},
       "",
       "line 3 (channel 011), column Frequency: m"},
      {{.set_mode = fn::kPause, .message = "m"}, "", "Set Mode PAUSE: m"},
      {{.search_band = 3, .field = "lower limit", .message = "m"},
       "",
       "search band 3, lower limit: m"},
      {{.factory = true, .field = "FixCount[2]", .message = "m"},
       "",
       "Factory Settings, FixCount[2]: m"},
      {{.field = "Frequency", .message = "no frequency is given"},
       "",
       "Frequency: no frequency is given"},
      {{.message = "there is no text"}, "", "there is no text"},
  };
  for (const auto& c : cases) EXPECT_EQ(FindingText(c.finding, c.source), c.text);
}

}  // namespace
}  // namespace kestrel
