#include "link/read_sequence.h"

#include "image/decoder.h"

namespace kestrel::link {

std::expected<RadioConfig, LinkFailure> ReadFromRadio(Link& link, MemoryImage& image,
                                                      const RadioConfig& current,
                                                      const SequenceReport& report) {
  if (report.state) report.state("Reading data.");
  MemoryImage staged_image = image;
  if (auto checked = link.ReadPrecheck(staged_image); !checked) {
    return std::unexpected(std::move(checked.error()));
  }
  // The channels are emptied and marked before the loop, as the bitmap decides which slots are
  // fetched; that happens to the staged record only.
  RadioConfig staged = current;
  MarkUsedChannels(staged_image, staged);
  const auto list = BuildReadList(ChannelsInUse(staged_image));
  if (auto read = link.ReadRanges(staged_image, list, report.progress); !read) {
    return std::unexpected(std::move(read.error()));
  }
  DecodeImage(staged_image, staged);
  image = staged_image;
  return staged;
}

}  // namespace kestrel::link
