#include "link/read_sequence.h"

#include "image/decoder.h"
#include "link/job_progress.h"
#include "link/time_estimate.h"

namespace kestrel::link {
namespace {

// A cancelled read tells that it changed nothing; other failures pass as they are.
std::unexpected<LinkFailure> ReadFailed(LinkFailure failure) {
  if (failure.code == LinkResult::kCancelled) {
    failure.detail = "Reading cancelled. Nothing was changed.";
  }
  return std::unexpected(std::move(failure));
}

}  // namespace

std::expected<RadioConfig, LinkFailure> ReadFromRadio(Link& link, MemoryImage& image,
                                                      const RadioConfig& current,
                                                      const SequenceReport& report) {
  if (report.state) report.state("Reading data.");
  // Until the receiver's bitmap is in, the channels it holds are taken to be the caller's.
  const std::uint64_t guessed_ms =
      StepCost(BuildReadList(ChannelsInUse(image)), Direction::kRead).Ms();
  JobProgress job(link.line(), report.progress, {ReadPrecheckCost().Ms() + guessed_ms, 0});
  MemoryImage staged_image = image;
  if (auto checked =
          link.ReadPrecheck(staged_image, job.Step(Direction::kRead, {guessed_ms, 0}, false));
      !checked) {
    return ReadFailed(std::move(checked.error()));
  }
  // The channels are emptied and marked before the loop, as the bitmap decides which slots are
  // fetched; that happens to the staged record only.
  RadioConfig staged = current;
  MarkUsedChannels(staged_image, staged);
  const auto list = BuildReadList(ChannelsInUse(staged_image));
  job.Replan({StepCost(list, Direction::kRead).Ms(), 0});
  if (auto read = link.ReadRanges(staged_image, list, job.Step(Direction::kRead, {})); !read) {
    return ReadFailed(std::move(read.error()));
  }
  // A request that came during the last command finds no command left to stop before; the read
  // is dropped all the same, as the user asked.
  if (link.line().CancelRequested()) return ReadFailed({LinkResult::kCancelled, {}});
  DecodeImage(staged_image, staged);
  image = staged_image;
  return staged;
}

}  // namespace kestrel::link
