#include "link/transfer.h"

#include <optional>
#include <string>

#include "image/image_map.h"
#include "link/protocol.h"

namespace kestrel::link {
namespace {

// The bitmap pre-check reads whole 16-byte lines: the bitmap and the three bytes after it.
constexpr int kBitmapBlocks = 8;

// Opens the port and performs the handshake of a step. On failure the port is closed again and
// the result is `no_port` or `no_answer`.
std::optional<LinkResult> StartStep(SerialLine& line, LinkResult no_port, LinkResult no_answer) {
  line.SetFailureDetail({});
  if (!line.OpenPort()) {
    line.ClosePort();
    return no_port;
  }
  if (!Handshake(line)) {
    std::string detail = "The receiver did not answer the handshake.";
    if (!line.PortProblem().empty()) detail += " " + line.PortProblem();
    line.SetFailureDetail(std::move(detail));
    line.ClosePort();
    return no_answer;
  }
  return std::nullopt;
}

template <typename Image, typename Block, typename Single>
LinkResult Walk(SerialLine& line, Image& image, std::span<const AddressRange> list,
                const Progress& progress, LinkResult failed, Block block, Single single) {
  if (progress.range) progress.range(static_cast<int>(list.size()));
  for (std::size_t i = 0; i < list.size(); ++i) {
    for (const RangeCommand& command : SplitRange(list[i])) {
      const LinkResult result = command.block ? block(line, image, command.address)
                                              : single(line, image, command.address);
      if (result != LinkResult::kSuccess) {
        line.ClosePort();
        return failed;
      }
    }
    if (progress.value) progress.value(static_cast<int>(i + 1));
  }
  line.ClosePort();
  return LinkResult::kSuccess;
}

LinkResult ReadBlocks(SerialLine& line, MemoryImage& image, std::size_t first, int blocks) {
  if (auto failed = StartStep(line, LinkResult::kPortUnavailable, LinkResult::kReadFailed)) {
    return *failed;
  }
  LinkResult result = LinkResult::kSuccess;
  for (int k = 0; k < blocks && result == LinkResult::kSuccess; ++k) {
    result = ReadBlock(line, image, static_cast<std::uint16_t>(first + 16 * k));
  }
  line.ClosePort();
  return result;
}

}  // namespace

void FillImage(MemoryImage& image) {
  image.Fill(0xFF);
}

LinkResult ReadRanges(SerialLine& line, MemoryImage& image, std::span<const AddressRange> list,
                      const Progress& progress) {
  if (auto failed = StartStep(line, LinkResult::kReadFailed, LinkResult::kReadFailed)) {
    return *failed;
  }
  FillImage(image);
  return Walk(line, image, list, progress, LinkResult::kReadFailed, ReadBlock, ReadByte);
}

LinkResult WriteRanges(SerialLine& line, const MemoryImage& image,
                       std::span<const AddressRange> list, const Progress& progress) {
  if (auto failed = StartStep(line, LinkResult::kWriteFailed, LinkResult::kWriteFailed)) {
    return *failed;
  }
  return Walk(line, image, list, progress, LinkResult::kWriteFailed, WriteBlock, WriteByte);
}

LinkResult ReadPrecheck(SerialLine& line, MemoryImage& image) {
  return ReadBlocks(line, image, image_map::kChannelBitmap, kBitmapBlocks);
}

LinkResult ProgramPrecheck(SerialLine& line, MemoryImage& image) {
  return ReadBlocks(line, image, image_map::kRegionBlock, 1);
}

}  // namespace kestrel::link
