// The outcome of a transfer step and of reading and programming, with the texts the user sees.
#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::link {

// Why a transfer step failed; success is not among them (a step returns std::expected). The
// command-line tool gives each its own exit status (ExitStatusOf in kestrel-cli).
enum class LinkResult : std::uint8_t {
  kPortUnavailable = 1,  // the serial port cannot be opened (pre-checks)
  kReadFailed = 2,
  kWriteFailed = 3,
  kFrequencyNotProgrammable = 4,
  kNotEncodable = 5,  // the record holds values the memory image cannot (nothing was written)
  kCancelled = 6,     // stopped on request between two commands; the detail says what it left
};

// The message of a failure, its lines separated by LF. The link makes no line
// ends of the platform's: a message box shows the lines as they are, a one-line result joins them.
std::string_view Message(LinkResult result);

// Why a transfer failed, as far as the system's answer and the receiver's behaviour tell it: each
// cause has a known fix, which failure_advice.h words for the user.
enum class FailureCause : std::uint8_t {
  kUnknown = 0,
  kNoPermission,      // the system refused to open the device for this user (EACCES)
  kPortInUse,         // another program holds it (lock file, exclusive open, EBUSY)
  kNoSuchPort,        // the device does not exist (now), or vanished during the transfer
  kNoAnswer,          // nothing answered the handshake or the pre-check
  kStoppedAnswering,  // the receiver answered some commands, then nothing more
  kForeignReplies,    // what answered is not what a receiver sends
};

// What the answers of a failed command looked like, for kForeignReplies.
enum class RepliesSeen : std::uint8_t {
  kNone = 0,
  kEcho,         // only what was sent came back: a cable that echoes, nothing behind it
  kWrongDevice,  // bytes no receiver sends, and nothing a receiver would
  kNoise,        // receiver-like answers damaged: wrong checksums, stray bytes, line errors
};

// A serial port the system lists now.
struct PortDescription {
  std::string name;         // "/dev/ttyUSB0", "COM3"
  std::string description;  // the system's, "" when it gives none
  bool usb_serial = false;  // a USB serial adapter
  bool operator==(const PortDescription&) const = default;
};

// What the link found out about a failure, for the advice under its message. Fields that do not
// apply stay empty or zero.
struct FailureFacts {
  std::string port{};            // the device the transfer chose
  int os_error = 0;              // errno (or the platform's code) of a failed open
  std::string group{};           // the device's group, for kNoPermission when not in it
  int holder_pid = 0;            // the program holding the port, from its lock file
  std::string holder_name{};     // its name, from /proc/<pid>/comm or the lock file
  bool held_here = false;        // another transfer of this program holds the port
  std::size_t acknowledged = 0;  // commands the receiver answered in the failed step
  std::size_t commands = 0;      // commands of that step
  RepliesSeen replies = RepliesSeen::kNone;
  std::string sample{};                  // the first bytes of a reply that was not the receiver's
  std::vector<PortDescription> ports{};  // the ports that exist now
  bool operator==(const FailureFacts&) const = default;
};

// Why a step, a read or a programming failed: the code whose message the user sees, and what the
// link found out (why the port could not be opened, which command got no answer, which frequency
// is refused), shown under the message; empty when there is nothing to add. `cause` and `facts`
// give the advice shown under that.
struct LinkFailure {
  LinkResult code = LinkResult::kReadFailed;
  std::string detail;
  FailureCause cause = FailureCause::kUnknown;
  FailureFacts facts{};
  bool operator==(const LinkFailure&) const = default;
};

// Nothing, or why it failed.
using LinkStatus = std::expected<void, LinkFailure>;

inline std::unexpected<LinkFailure> Failed(LinkResult code, std::string detail = {}) {
  return std::unexpected(LinkFailure{code, std::move(detail)});
}

// Where a text is shown: the advice names the way to choose a port there.
enum class FrontEnd : std::uint8_t { kCommandLine, kWindow };

// The message with the detail under it, then the cause and its fix (see failure_advice.h), lines
// separated by LF, as a warning box or the command line's stderr shows it.
std::string ResultText(const LinkFailure& failure, FrontEnd front_end = FrontEnd::kCommandLine);

// A text of several lines as one line: each line end becomes one blank, or none where the line
// already ends with a blank ("cannot be \nprogrammed." reads "cannot be programmed."). For the
// one-line results of several receivers, on stdout and in the window alike.
std::string OnOneLine(std::string_view text);

}  // namespace kestrel::link
