#include "link/program_sequence.h"

#include <cstddef>

#include "image/encoder.h"
#include "image/image_map.h"
#include "link/frames.h"
#include "link/frequency_check.h"
#include "link/job_progress.h"
#include "link/time_estimate.h"
#include "link/write_changes.h"

namespace kestrel::link {
namespace {

constexpr std::size_t kProblemsShown = 3;

std::string ProblemLines(const std::vector<Finding>& problems) {
  std::string text;
  for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
    if (i > 0) text += "\n";
    text += FindingText(problems[i]) + ".";
  }
  if (problems.size() > kProblemsShown) {
    text += "\n(" + std::to_string(problems.size() - kProblemsShown) + " more)";
  }
  return text;
}

// Reads `list` back into a scratch image and names the first byte that differs.
LinkStatus Verify(Link& link, const MemoryImage& written, const std::vector<AddressRange>& list,
                  const SequenceReport& report, const Progress& progress) {
  if (report.state) report.state("Verifying data.");
  MemoryImage read_back;
  if (auto read = link.ReadRanges(read_back, list, progress); !read) {
    if (read.error().code == LinkResult::kCancelled) {
      return Failed(LinkResult::kCancelled,
                    "Verifying cancelled. The receiver holds the whole configuration, but it was "
                    "not read back.");
    }
    // Why the read-back failed stays with the failure, for the advice under it.
    LinkFailure failure = std::move(read.error());
    failure.code = LinkResult::kWriteFailed;
    failure.detail = "Reading the receiver back to verify it failed. " + failure.detail;
    return std::unexpected(std::move(failure));
  }
  for (const AddressRange& range : list) {
    for (std::int32_t a = range.first; a <= range.last; ++a) {
      const auto address = static_cast<std::size_t>(a);
      if (read_back.Byte(address) == written.Byte(address)) continue;
      return Failed(LinkResult::kWriteFailed,
                    "Verification failed at 0x" + HexWord(static_cast<std::uint16_t>(a)) +
                        ": the receiver holds 0x" + HexByte(read_back.Byte(address)) + ", 0x" +
                        HexByte(written.Byte(address)) + " was written.");
    }
  }
  return {};
}

// What the full write and Write Changes do before they write: the record checked, the region
// block read, the frequencies checked against it, and the image made what a full write sends.
LinkStatus PrepareWrite(Link& link, MemoryImage& image, const RadioConfig& record,
                        const Progress& precheck = {}) {
  // A record the image cannot hold is refused before the port is opened.
  if (const auto problems = CheckEncodable(record); !problems.empty()) {
    return Failed(LinkResult::kNotEncodable, ProblemLines(problems));
  }
  if (auto checked = link.ProgramPrecheck(image, precheck); !checked) {
    if (checked.error().code == LinkResult::kCancelled) {
      checked.error().detail = WriteCancelledText(0);
    }
    return checked;
  }
  if (const auto refused = CheckFrequencies(image, record)) {
    return Failed(LinkResult::kFrequencyNotProgrammable,
                  "First refused: " + RefusalText(*refused) + ".");
  }
  if (auto problems = EncodeImage(record, image); !problems) {
    return Failed(LinkResult::kNotEncodable, ProblemLines(problems.error()));
  }
  image.SetByte(image_map::kProgramStart, 0);
  image.SetByte(image_map::kProgramStart + 1, 0);
  return {};
}

// What writing `list` and, when asked, verifying it take on the model.
struct WriteCosts {
  std::uint64_t write_ms;
  std::uint64_t verify_ms;
};

WriteCosts CostsOf(const std::vector<AddressRange>& list, const ProgramOptions& options) {
  return {StepCost(list, Direction::kWrite).Ms(),
          options.verify ? StepCost(VerifyListOf(list), Direction::kRead).Ms() : 0};
}

// Writes `list` of `image`, then verifies it when asked. Every command the receiver answers, or
// leaves unanswered, is noted in `known` when there is one.
LinkStatus WriteAndVerify(Link& link, const MemoryImage& image,
                          const std::vector<AddressRange>& list, const ProgramOptions& options,
                          const SequenceReport& report, KnownImage* known, JobProgress& job,
                          std::uint64_t verify_ms) {
  if (report.state) report.state("Writing data.");
  Progress progress = job.Step(Direction::kWrite, {verify_ms, 0});
  // The caller's own look at each answer (counting what was written) comes after the note.
  if (known) {
    progress.answered = [known, &image, also = report.progress.answered](
                            const RangeCommand& command, bool answered) {
      NoteWrite(*known, image, command, answered);
      if (also) also(command, answered);
    };
  }
  if (auto written = link.WriteRanges(image, list, progress); !written) return written;
  if (options.verify) {
    return Verify(link, image, VerifyListOf(list), report, job.Step(Direction::kRead, {}));
  }
  return {};
}

}  // namespace

std::vector<AddressRange> VerifyListOf(const std::vector<AddressRange>& written) {
  std::vector<AddressRange> list;
  list.reserve(written.size());
  for (AddressRange range : written) {
    while (range.first <= range.last && ReadNeverCovers(static_cast<std::size_t>(range.first))) {
      ++range.first;
    }
    while (range.first <= range.last && ReadNeverCovers(static_cast<std::size_t>(range.last))) {
      --range.last;
    }
    if (range.first <= range.last) list.push_back(range);
  }
  return list;
}

LinkStatus ProgramToRadio(Link& link, MemoryImage& image, const RadioConfig& record,
                          const ProgramOptions& options, const SequenceReport& report,
                          KnownImage* known) {
  const std::vector<AddressRange> list = BuildProgramList();
  const WriteCosts costs = CostsOf(list, options);
  JobProgress job(link.line(), report.progress,
                  {ProgramPrecheckCost().Ms() + costs.verify_ms, costs.write_ms});
  if (auto prepared =
          PrepareWrite(link, image, record,
                       job.Step(Direction::kRead, {costs.verify_ms, costs.write_ms}, false));
      !prepared) {
    return prepared;
  }
  return WriteAndVerify(link, image, list, options, report, known, job, costs.verify_ms);
}

LinkStatus WriteChangesToRadio(Link& link, MemoryImage& image, const RadioConfig& record,
                               KnownImage& known, const ProgramOptions& options,
                               const SequenceReport& report, std::size_t* commands_sent) {
  if (commands_sent) *commands_sent = 0;
  if (auto prepared = PrepareWrite(link, image, record); !prepared) return prepared;
  const std::vector<AddressRange> commands = ChangedCommands(image, known);
  if (!ChangesAnything(commands)) return {};
  if (report.state) report.state("Checking the receiver.");
  // The time left starts here, once the commands to send are known.
  const auto check_list = BookkeepingList();
  const WriteCosts costs = CostsOf(commands, options);
  JobProgress job(link.line(), report.progress,
                  {StepCost(check_list, Direction::kRead).Ms() + costs.verify_ms, costs.write_ms});
  MemoryImage bookkeeping;
  if (auto read =
          link.ReadRanges(bookkeeping, check_list,
                          job.Step(Direction::kRead, {costs.verify_ms, costs.write_ms}, false));
      !read) {
    if (read.error().code == LinkResult::kCancelled) read.error().detail = WriteCancelledText(0);
    return read;
  }
  if (const auto differs = CompareBookkeeping(known, bookkeeping)) {
    return Failed(LinkResult::kWriteFailed,
                  "Nothing was written: this receiver does not hold what was " +
                      (options.known_from.empty() ? std::string("last read or written")
                                                  : options.known_from) +
                      " (its channel bitmap or channel counts differ at 0x" +
                      HexWord(static_cast<std::uint16_t>(*differs)) +
                      "). Read it again, or use Write to write everything.");
  }
  if (commands_sent) *commands_sent = commands.size();
  return WriteAndVerify(link, image, commands, options, report, &known, job, costs.verify_ms);
}

}  // namespace kestrel::link
