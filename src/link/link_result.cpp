#include "link/link_result.h"

namespace kestrel::link {

std::string_view Message(LinkResult result) {
  switch (result) {
    case LinkResult::kSuccess:
      return {};
    case LinkResult::kPortUnavailable:
      return "There is problem with the communication port.\r\nUnable to transfer data.";
    case LinkResult::kReadFailed:
      return "Failed to read out.\r\nTry again.";
    case LinkResult::kWriteFailed:
      return "Failed to write.\r\nTry again.";
    case LinkResult::kFrequencyNotProgrammable:
      return "The frequency that you set cannot be \r\nprogrammed.\r\nPlease confirm the frequency "
             "again.";
    case LinkResult::kNotEncodable:
      return "The configuration cannot be written.";
    case LinkResult::kCancelled:
      return "The transfer was cancelled.";
  }
  return {};
}

}  // namespace kestrel::link

namespace kestrel::link {

std::string ResultText(const LinkFailure& failure) {
  std::string text(Message(failure.code));
  if (!failure.detail.empty()) {
    if (!text.empty()) text += "\r\n";
    text += failure.detail;
  }
  return text;
}

}  // namespace kestrel::link
