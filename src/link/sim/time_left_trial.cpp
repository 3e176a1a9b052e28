#include "link/sim/time_left_trial.h"

#include <utility>
#include <vector>

#include "image/encoder.h"
#include "link/link.h"
#include "link/program_sequence.h"
#include "link/read_sequence.h"
#include "link/sim/simulated_receiver_port.h"
#include "model/defaults.h"

namespace kestrel::link {

TimeLeftTrial RunTimeLeftTrial(TrialJob job, const SimulatorOptions& options) {
  VirtualClock clock;
  ReceiverSimulator receiver(options);
  RadioConfig record = NewConfiguration();
  for (int c = 1; c <= kChannelCount; ++c) {
    record.Channel(c).InUse = 1;
    record.Channel(c).Frequency = "6165000";
  }
  (void)EncodeImage(record, receiver.memory());
  SimulatedReceiverPort port(receiver, clock);
  Link link(port, clock);
  link.SelectPortNumber(1);

  std::vector<std::pair<std::uint64_t, std::uint64_t>> shown;  // (when, figure)
  TimeLeftTrial trial;
  SequenceReport report;
  report.progress.time_left = [&](std::uint64_t ms) { shown.emplace_back(clock.Total(), ms); };
  report.progress.waiting = [&](bool waiting) { trial.waits += waiting ? 1 : 0; };
  MemoryImage image;
  if (job == TrialJob::kReadAllChannels) {
    trial.succeeded = ReadFromRadio(link, image, record, report).has_value();
  } else {
    trial.succeeded = ProgramToRadio(link, image, record, {.verify = true}, report).has_value();
  }
  trial.total_ms = clock.Total();
  for (std::size_t i = 0; i < TimeLeftTrial::kShares.size(); ++i) {
    const auto at =
        static_cast<std::uint64_t>(TimeLeftTrial::kShares[i] * static_cast<double>(trial.total_ms));
    // The figure on show at that moment: the last one shown before it.
    std::uint64_t figure = shown.empty() ? 0 : shown.front().second;
    for (const auto& [when, ms] : shown) {
      if (when > at) break;
      figure = ms;
    }
    const auto truth = static_cast<double>(trial.total_ms - at);
    trial.error[i] = (static_cast<double>(figure) - truth) / truth;
  }
  return trial;
}

}  // namespace kestrel::link
