// Findings as the window words them: the same places and messages as the command line, with the
// words of the place translatable.
#pragma once

#include <QString>

#include "model/finding.h"

namespace kestrel::ui {

// "channel 799, Step: 13 is not in the step table"; with `source`, a list's findings as
// "channels.csv, line 12, column DtcsCode: 999 is not a DCS code".
QString FindingLine(const Finding& finding, const QString& source = {});

}  // namespace kestrel::ui
