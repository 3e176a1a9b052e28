#include "link/link_result.h"

#include "link/failure_advice.h"

namespace kestrel::link {

std::string_view Message(LinkResult result) {
  switch (result) {
    case LinkResult::kPortUnavailable:
      return "There is problem with the communication port.\nUnable to transfer data.";
    case LinkResult::kReadFailed:
      return "Failed to read out.\nTry again.";
    case LinkResult::kWriteFailed:
      return "Failed to write.\nTry again.";
    case LinkResult::kFrequencyNotProgrammable:
      return "The frequency that you set cannot be \nprogrammed.\nPlease confirm the frequency "
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

std::string ResultText(const LinkFailure& failure, FrontEnd front_end) {
  std::string text(Message(failure.code));
  for (const std::string& part : {failure.detail, CauseText(failure, front_end)}) {
    if (part.empty()) continue;
    if (!text.empty()) text += "\n";
    text += part;
  }
  return text;
}

std::string OnOneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (const char c : text) {
    if (c != '\n') {
      line += c;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  return line;
}

}  // namespace kestrel::link
