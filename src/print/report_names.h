// The reports by name, as scripts choose them: "setmode", "memory", "bands".
#pragma once

#include <optional>
#include <string_view>

#include "print/reports.h"

namespace kestrel::print {

// A comma-separated list of report names ("setmode,bands"); nullopt when it names no report or
// holds a name that is not one of the three. The reports still print in their fixed order.
std::optional<ReportSelection> ParseReportNames(std::string_view list);

}  // namespace kestrel::print
