// What to do about a failed transfer, in the user's words: the cause the link found, naming the
// port, and its fix, in one or two lines. Both front ends show it under the message and detail
// (see ResultText).
#pragma once

#include <string>
#include <vector>

#include "link/link_result.h"

namespace kestrel::link {

// The cause and its fix; "" for a failure of unknown cause.
std::string CauseText(const LinkFailure& failure, FrontEnd front_end);

// The ports that exist now, as the advice lists them: "/dev/ttyS0, /dev/ttyUSB0 (FT232R USB
// UART, a USB serial adapter)"; "" when there are none.
std::string PortsText(const std::vector<PortDescription>& ports);

}  // namespace kestrel::link
