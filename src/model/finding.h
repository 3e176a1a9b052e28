// What a check found and where the user finds it: a value of the record, a field of a channel
// being entered, a cell of a channel list. Every check of the record, the channel rules, the
// encoder and the channel-list reader tells its findings in this one shape, and each front end
// has one function that words them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

enum class Severity {
  kWarning,       // worth telling; what it names is taken as it is
  kProblem,       // what it names is refused: a value, an entry, a row
  kTableProblem,  // a fault of a list's text or header: no row of the list can be taken
};

struct Finding {
  // Where, each part as it applies.
  std::optional<int> channel{};      // 1 to 1000, named as the grid numbers it (000 to 999)
  std::optional<int> search_band{};  // 1 to 24, as the Search Band page numbers the bands
  std::optional<int> set_mode{};     // a Set Mode function, named as the page names it
  bool factory = false;              // the Factory Settings
  std::optional<int> line{};         // a line of a channel list, from 1
  // The field as the message names it ("STEP", "lower limit", "FixCount[2]"); in a channel list
  // the column as the list's own header spells it ("DtcsCode"). Empty for none.
  std::string field{};

  std::string message{};
  Severity severity = Severity::kProblem;

  bool operator==(const Finding&) const = default;
};

// The finding on one line, as the command line tells it: "channel 799, STEP: 13 is not in the
// step table", "channels.csv, line 12, column DtcsCode: 999 is not a DCS code" (`source` names
// the list), "Set Mode PAUSE: ...", "search band 3, lower limit: ...", "Factory Settings,
// FixCount[2]: ...". A finding with no place is its message alone.
std::string FindingText(const Finding& finding, std::string_view source = {});

}  // namespace kestrel
