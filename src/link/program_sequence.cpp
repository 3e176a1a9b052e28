#include "link/program_sequence.h"

#include <cstddef>

#include "image/encoder.h"
#include "image/image_map.h"
#include "link/frames.h"
#include "link/frequency_check.h"
#include "link/time_estimate.h"

namespace kestrel::link {
namespace {

constexpr std::size_t kProblemsShown = 3;

std::string ProblemLines(const std::vector<EncodeProblem>& problems) {
  std::string text;
  for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
    if (i > 0) text += "\n";
    text += problems[i].place + ": " + problems[i].message + ".";
  }
  if (problems.size() > kProblemsShown) {
    text += "\n(" + std::to_string(problems.size() - kProblemsShown) + " more)";
  }
  return text;
}

// Reads the verify list back into a scratch image and names the first byte that differs.
LinkStatus Verify(Link& link, const MemoryImage& written, const SequenceReport& report) {
  if (report.state) report.state("Verifying data.");
  const auto list = BuildVerifyList();
  MemoryImage read_back;
  if (auto read = link.ReadRanges(read_back, list, report.progress); !read) {
    if (read.error().code == LinkResult::kCancelled) {
      return Failed(LinkResult::kCancelled,
                    "Verifying cancelled. The receiver holds the whole configuration, but it was "
                    "not read back.");
    }
    return Failed(LinkResult::kWriteFailed,
                  "Reading the receiver back to verify it failed. " + read.error().detail);
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

}  // namespace

std::vector<AddressRange> BuildVerifyList() {
  std::vector<AddressRange> list;
  list.reserve(kProgramListEntries);
  for (AddressRange range : BuildProgramList()) {
    if (range.last < static_cast<std::int32_t>(image_map::kSetMode)) continue;  // never read
    if (range.last == static_cast<std::int32_t>(image_map::kUnencodedByte)) --range.last;
    list.push_back(range);
  }
  return list;
}

LinkStatus ProgramToRadio(Link& link, MemoryImage& image, const RadioConfig& record,
                          const ProgramOptions& options, const SequenceReport& report) {
  // A record the image cannot hold is refused before the port is opened.
  if (const auto problems = CheckEncodable(record); !problems.empty()) {
    return Failed(LinkResult::kNotEncodable, ProblemLines(problems));
  }
  if (auto checked = link.ProgramPrecheck(image); !checked) {
    if (checked.error().code == LinkResult::kCancelled) {
      checked.error().detail = WriteCancelledText(0);
    }
    return checked;
  }
  if (const auto refused = CheckFrequencies(image, record)) {
    return Failed(LinkResult::kFrequencyNotProgrammable,
                  "First refused: " + RefusalText(*refused) + ".");
  }
  if (report.state) report.state("Writing data.");
  // The encoder sets negative levels to 0 in the record it is given; the caller's stays as is.
  RadioConfig encoded = record;
  if (auto problems = EncodeImage(encoded, image); !problems) {
    return Failed(LinkResult::kNotEncodable, ProblemLines(problems.error()));
  }
  image.SetByte(image_map::kProgramStart, 0);
  image.SetByte(image_map::kProgramStart + 1, 0);
  // The time left counts the read-back of a verification too.
  Progress progress = report.progress;
  if (options.verify && progress.time_left) {
    const std::uint64_t verify_ms = StepCost(BuildVerifyList(), Direction::kRead).Ms();
    progress.time_left = [&report, verify_ms](std::uint64_t ms) {
      report.progress.time_left(ms + verify_ms);
    };
  }
  if (auto written = link.WriteRanges(image, BuildProgramList(), progress); !written) {
    return written;
  }
  if (options.verify) return Verify(link, image, report);
  return {};
}

}  // namespace kestrel::link
