#include "link/transfer.h"

#include <string>
#include <vector>

#include "image/image_map.h"
#include "link/protocol.h"

namespace kestrel::link {
namespace {

// The bitmap pre-check reads whole 16-byte lines: the bitmap and the three bytes after it.
constexpr int kBitmapBlocks = 8;

// Stops a step before its next command: the port is closed (RTS dropped) as after a failure.
std::unexpected<LinkFailure> StopCancelled(SerialLine& line, std::string detail = {}) {
  line.ClosePort();
  return Failed(LinkResult::kCancelled, std::move(detail));
}

// Opens the port and performs the handshake of a step. On failure the port is closed again and
// the failure is `no_port` or `no_answer`.
LinkStatus StartStep(SerialLine& line, LinkResult no_port, LinkResult no_answer) {
  if (line.CancelRequested()) return StopCancelled(line);
  if (auto opened = line.OpenPort(); !opened) {
    line.ClosePort();
    return Failed(no_port, std::move(opened.error()));
  }
  if (!Handshake(line)) {
    std::string detail = "The receiver did not answer the handshake.";
    if (!line.PortProblem().empty()) detail += " " + line.PortProblem();
    line.ClosePort();
    return Failed(no_answer, std::move(detail));
  }
  return {};
}

template <typename Image, typename Block, typename Single>
LinkStatus Walk(SerialLine& line, Image& image, std::span<const AddressRange> list,
                const Progress& progress, Direction direction, Block block, Single single) {
  WireCost left = StepCost(list, direction);
  left -= HandshakeCost();
  if (progress.time_left) progress.time_left(left.Ms());
  if (progress.range) progress.range(static_cast<int>(list.size()));
  std::size_t sent = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    for (const RangeCommand& command : SplitRange(list[i])) {
      if (line.CancelRequested()) {
        return StopCancelled(line, direction == Direction::kWrite ? WriteCancelledText(sent) : "");
      }
      ++sent;
      LinkStatus done = command.block ? block(line, image, command.address)
                                      : single(line, image, command.address);
      if (progress.answered) progress.answered(command, done.has_value());
      if (!done) {
        line.ClosePort();
        return done;
      }
      left -= CommandCost(command, direction);
      if (progress.time_left) progress.time_left(left.Ms());
    }
    if (progress.value) progress.value(static_cast<int>(i + 1));
  }
  line.ClosePort();
  return {};
}

// The pre-checks' reads: `blocks` aligned blocks from `first`.
std::vector<AddressRange> BlockList(std::size_t first, int blocks) {
  return {{static_cast<std::int32_t>(first), static_cast<std::int32_t>(first + 16 * blocks - 1)}};
}

LinkStatus ReadBlocks(SerialLine& line, MemoryImage& image, std::size_t first, int blocks,
                      const Progress& progress) {
  if (auto started = StartStep(line, LinkResult::kPortUnavailable, LinkResult::kReadFailed);
      !started) {
    return started;
  }
  WireCost left = StepCost(BlockList(first, blocks), Direction::kRead);
  left -= HandshakeCost();
  if (progress.time_left) progress.time_left(left.Ms());
  LinkStatus done;
  for (int k = 0; k < blocks && done; ++k) {
    if (line.CancelRequested()) return StopCancelled(line);
    const auto address = static_cast<std::uint16_t>(first + 16 * k);
    done = ReadBlock(line, image, address);
    left -= CommandCost({address, true}, Direction::kRead);
    if (done && progress.time_left) progress.time_left(left.Ms());
  }
  line.ClosePort();
  return done;
}

}  // namespace

std::string WriteCancelledText(std::size_t sent) {
  if (sent == 0) return "Writing cancelled. Nothing was written to the receiver.";
  return "Writing cancelled. The receiver holds a partly written configuration; write it again.";
}

void FillImage(MemoryImage& image) {
  image.Fill(0xFF);
}

LinkStatus ReadRanges(SerialLine& line, MemoryImage& image, std::span<const AddressRange> list,
                      const Progress& progress) {
  if (auto started = StartStep(line, LinkResult::kReadFailed, LinkResult::kReadFailed); !started) {
    return started;
  }
  FillImage(image);
  return Walk(line, image, list, progress, Direction::kRead, ReadBlock, ReadByte);
}

LinkStatus WriteRanges(SerialLine& line, const MemoryImage& image,
                       std::span<const AddressRange> list, const Progress& progress) {
  if (auto started = StartStep(line, LinkResult::kWriteFailed, LinkResult::kWriteFailed);
      !started) {
    if (started.error().code == LinkResult::kCancelled) {
      started.error().detail = WriteCancelledText(0);
    }
    return started;
  }
  return Walk(line, image, list, progress, Direction::kWrite, WriteBlock, WriteByte);
}

LinkStatus ReadPrecheck(SerialLine& line, MemoryImage& image, const Progress& progress) {
  return ReadBlocks(line, image, image_map::kChannelBitmap, kBitmapBlocks, progress);
}

LinkStatus ProgramPrecheck(SerialLine& line, MemoryImage& image, const Progress& progress) {
  return ReadBlocks(line, image, image_map::kRegionBlock, 1, progress);
}

WireCost ReadPrecheckCost() {
  return StepCost(BlockList(image_map::kChannelBitmap, kBitmapBlocks), Direction::kRead);
}

WireCost ProgramPrecheckCost() {
  return StepCost(BlockList(image_map::kRegionBlock, 1), Direction::kRead);
}

}  // namespace kestrel::link
