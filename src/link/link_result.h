// The outcome of a transfer step and of reading and programming, with the texts the user sees.
#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

namespace kestrel::link {

enum class LinkResult : std::uint16_t {
  kSuccess = 0,
  kPortUnavailable = 1,  // the serial port cannot be opened (pre-checks)
  kReadFailed = 2,
  kWriteFailed = 3,
  kFrequencyNotProgrammable = 4,
  kNotEncodable = 5,  // the record holds values the memory image cannot (nothing was written)
  kCancelled = 6,     // stopped on request between two commands; the detail says what it left
};

constexpr int Code(LinkResult result) {
  return static_cast<int>(result);
}

// The message of a failure, its lines separated by LF; empty for success. The link makes no line
// ends of the platform's: a message box shows the lines as they are, a one-line result joins them.
std::string_view Message(LinkResult result);

// Why a step, a read or a programming failed: the code whose message the user sees, and what the
// link found out (why the port could not be opened, which command got no answer, which frequency
// is refused), shown under the message; empty when there is nothing to add.
struct LinkFailure {
  LinkResult code = LinkResult::kReadFailed;
  std::string detail;
  bool operator==(const LinkFailure&) const = default;
};

// Nothing, or why it failed.
using LinkStatus = std::expected<void, LinkFailure>;

inline std::unexpected<LinkFailure> Failed(LinkResult code, std::string detail = {}) {
  return std::unexpected(LinkFailure{code, std::move(detail)});
}

// The message with the detail under it, lines separated by LF, as a warning box or the command
// line's stderr shows it.
std::string ResultText(const LinkFailure& failure);

// A text of several lines as one line: each line end becomes one blank, or none where the line
// already ends with a blank ("cannot be \nprogrammed." reads "cannot be programmed."). For the
// one-line results of several receivers, on stdout and in the window alike.
std::string OnOneLine(std::string_view text);

}  // namespace kestrel::link
