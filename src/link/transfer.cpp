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

// Closes the port after a failure; a missing port or a silent receiver is told with the ports
// that exist now, for the user to find the right one.
std::unexpected<LinkFailure> StepFailed(SerialLine& line, LinkFailure failure) {
  if (failure.cause == FailureCause::kNoSuchPort || failure.cause == FailureCause::kNoAnswer) {
    failure.facts.ports = line.port().PortsNow();
  }
  line.ClosePort();
  return std::unexpected(std::move(failure));
}

// Opens the port and performs the handshake of a step. On failure the port is closed again and
// the failure is `no_port` or `no_answer`.
LinkStatus StartStep(SerialLine& line, LinkResult no_port, LinkResult no_answer) {
  if (line.CancelRequested()) return StopCancelled(line);
  if (auto opened = line.OpenPort(); !opened) {
    OpenFailure& why = opened.error();
    return StepFailed(line, {no_port, std::move(why.text), why.cause, std::move(why.facts)});
  }
  if (!Handshake(line)) {
    std::string detail = "The receiver did not answer the handshake.";
    if (!line.PortProblem().empty()) detail += " " + line.PortProblem();
    LinkFailure failure{no_answer, std::move(detail)};
    ExplainNoAnswer(line, failure);
    return StepFailed(line, std::move(failure));
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
  std::size_t acknowledged = 0;
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
        LinkFailure& failure = done.error();
        // Silent after answering the handshake and maybe more: it stopped part way.
        if (failure.cause == FailureCause::kNoAnswer) {
          failure.cause = FailureCause::kStoppedAnswering;
          failure.facts.acknowledged = acknowledged;
          failure.facts.commands =
              CommandCount(std::vector<AddressRange>(list.begin(), list.end()));
        }
        return StepFailed(line, std::move(failure));
      }
      ++acknowledged;
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
  for (int k = 0; k < blocks; ++k) {
    if (line.CancelRequested()) return StopCancelled(line);
    const auto address = static_cast<std::uint16_t>(first + 16 * k);
    LinkStatus done = ReadBlock(line, image, address);
    if (!done) return StepFailed(line, std::move(done.error()));
    left -= CommandCost({address, true}, Direction::kRead);
    if (progress.time_left) progress.time_left(left.Ms());
  }
  line.ClosePort();
  return {};
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
