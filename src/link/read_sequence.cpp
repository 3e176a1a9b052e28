#include "link/read_sequence.h"

#include "image/decoder.h"

namespace kestrel::link {

ReadOutcome ReadFromRadio(Link& link, MemoryImage& image, const RadioConfig& current,
                          const SequenceReport& report) {
  if (report.state) report.state("Reading data.");
  MemoryImage staged_image = image;
  if (const LinkResult result = link.ReadPrecheck(staged_image); result != LinkResult::kSuccess) {
    return {result, link.FailureDetail(), std::nullopt};
  }
  // The channels are emptied and marked before the loop, as the bitmap decides which slots are
  // fetched; that happens to the staged record only.
  RadioConfig staged = current;
  MarkUsedChannels(staged_image, staged);
  const auto list = BuildReadList(ChannelsInUse(staged_image));
  if (const LinkResult result = link.ReadRanges(staged_image, list, report.progress);
      result != LinkResult::kSuccess) {
    return {result, link.FailureDetail(), std::nullopt};
  }
  DecodeImage(staged_image, staged);
  image = staged_image;
  return {LinkResult::kSuccess, {}, std::move(staged)};
}

std::string ResultText(LinkResult result, const std::string& detail) {
  std::string text(Message(result));
  if (!detail.empty()) {
    if (!text.empty()) text += "\r\n";
    text += detail;
  }
  return text;
}

}  // namespace kestrel::link
