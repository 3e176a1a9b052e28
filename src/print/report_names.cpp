#include "print/report_names.h"

namespace kestrel::print {

std::optional<ReportSelection> ParseReportNames(std::string_view list) {
  ReportSelection selection;
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view name = list.substr(0, comma);
    if (name == "setmode") {
      selection.set_mode = true;
    } else if (name == "memory") {
      selection.memory = true;
    } else if (name == "bands") {
      selection.search_band = true;
    } else {
      return std::nullopt;
    }
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return selection;
}

}  // namespace kestrel::print
