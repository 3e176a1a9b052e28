// The link's failures in the window's words. The link gives a typed failure; this is the one place
// the window turns it into text: the failure's message (translatable), then the detail and the
// cause with its fix, as a message box shows them, or all on one line for a port's row.
#pragma once

#include <QString>

#include "link/link_result.h"

namespace kestrel::ui {

QString FailureText(const link::LinkFailure& failure);
QString FailureLine(const link::LinkFailure& failure);

}  // namespace kestrel::ui
