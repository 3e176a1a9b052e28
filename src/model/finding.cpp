#include "model/finding.h"

#include "model/display_texts.h"
#include "model/value_tables.h"

namespace kestrel {

std::string FindingText(const Finding& finding, std::string_view source) {
  std::string place(source);
  const auto add = [&place](std::string_view part, std::string_view name) {
    if (!place.empty()) place += ", ";
    place.append(part).append(name);
  };
  if (finding.line) add("line ", std::to_string(*finding.line));
  if (finding.channel) {
    // A list's line tells where the row is, the channel what it was meant for.
    if (finding.line) {
      place.append(" (channel ").append(ChannelNumberText(*finding.channel)).append(")");
    } else {
      add("channel ", ChannelNumberText(*finding.channel));
    }
  }
  if (finding.search_band) add("search band ", std::to_string(*finding.search_band));
  if (finding.set_mode) add("Set Mode ", SetModeFunctionName(*finding.set_mode));
  if (finding.factory) add("Factory Settings", "");
  if (!finding.field.empty()) add(finding.line ? "column " : "", finding.field);
  if (place.empty()) return finding.message;
  return place.append(": ").append(finding.message);
}

}  // namespace kestrel
