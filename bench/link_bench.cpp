// The link's own cost per command: the full read and program lists against the in-process
// receiver on the virtual clock, so the time measured is framing, checking and bookkeeping, not
// waiting. Reported as CPU time per command.
#include <benchmark/benchmark.h>

#include <cmath>

#include "image/encoder.h"
#include "link/link.h"
#include "link/program_sequence.h"
#include "link/read_sequence.h"
#include "link/sim/simulated_receiver_port.h"
#include "link/sim/time_left_trial.h"
#include "link/write_changes.h"
#include "model/defaults.h"

namespace kestrel::link {
namespace {

struct Bench {
  VirtualClock clock;
  ReceiverSimulator receiver;
  SimulatedReceiverPort port{receiver, clock};
  Link link{port, clock};
  MemoryImage image;
  Bench() { link.SelectPortNumber(1); }
};

void Report(benchmark::State& state, const ReceiverSimulator& receiver) {
  state.counters["commands"] = benchmark::Counter(static_cast<double>(receiver.counts().Total()) /
                                                  static_cast<double>(state.iterations()));
  state.counters["cpu_per_command"] =
      benchmark::Counter(static_cast<double>(receiver.counts().Total()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ReadAllChannels(benchmark::State& state) {
  Bench bench;
  std::array<bool, 1000> in_use{};
  in_use.fill(true);
  const auto list = BuildReadList(in_use);
  for (auto _ : state) {
    if (!bench.link.ReadRanges(bench.image, list)) {
      state.SkipWithError("read failed");
    }
    benchmark::DoNotOptimize(bench.image);
  }
  Report(state, bench.receiver);
}
BENCHMARK(BM_ReadAllChannels)->Unit(benchmark::kMillisecond);

void BM_ProgramList(benchmark::State& state) {
  Bench bench;
  const auto list = BuildProgramList();
  for (auto _ : state) {
    if (!bench.link.WriteRanges(bench.image, list)) {
      state.SkipWithError("write failed");
    }
  }
  Report(state, bench.receiver);
}
BENCHMARK(BM_ProgramList)->Unit(benchmark::kMillisecond);

// The line's time, not the CPU's: a full write of the default configuration against Write
// Changes of three edited channels after a read, each with its pre-check, handshakes and the
// bookkeeping check, as the virtual clock counts the receiver's and the line's time.
void BM_WriteTimeFullAgainstThreeChanges(benchmark::State& state) {
  const RadioConfig record = NewConfiguration();
  RadioConfig edited = record;
  edited.Channel(801).Name = "NEW";
  edited.Channel(802).Frequency = "6165000";
  edited.Channel(12) = edited.Channel(801);
  double full_ms = 0;
  double changes_ms = 0;
  for (auto _ : state) {
    Bench full;
    if (!ProgramToRadio(full.link, full.image, record)) state.SkipWithError("write failed");
    full_ms = static_cast<double>(full.clock.Total());

    Bench changes;
    if (!ProgramToRadio(changes.link, changes.image, record) ||
        !ReadFromRadio(changes.link, changes.image, record)) {
      state.SkipWithError("read failed");
    }
    KnownImage known = KnowledgeOfRead(changes.image);
    const std::uint64_t start = changes.clock.Total();
    if (!WriteChangesToRadio(changes.link, changes.image, edited, known)) {
      state.SkipWithError("write changes failed");
    }
    changes_ms = static_cast<double>(changes.clock.Total() - start);
  }
  state.counters["full_write_s"] = full_ms / 1000;
  state.counters["three_changes_s"] = changes_ms / 1000;
  state.counters["changes_percent"] = 100 * changes_ms / full_ms;
}
BENCHMARK(BM_WriteTimeFullAgainstThreeChanges)->Unit(benchmark::kMillisecond)->Iterations(3);

// How far the time left shown is from the time really left, at 10 %, 50 % and 90 % of the job,
// in percent of the latter (positive: too high), on the virtual clock with bytes moving at
// 38400 baud: a normal line, a receiver taking twice as long, an echoing cable, a line that
// loses every 50th answer (each costing a retry after the time-out), and one that loses answers
// at random at the same rate (five seeds: the mean distance and the worst one).
void BM_TimeLeftAccuracy(benchmark::State& state) {
  SimulatorOptions options{.baud = 38400};
  int seeds = 1;
  switch (state.range(1)) {
    case 1:
      options.reply_delay_ms = 50;
      break;
    case 2:
      options.echo = true;
      break;
    case 3:
      options.drop_every = 50;
      break;
    case 4:
      options.drop_rate = 0.02;
      seeds = 5;
      break;
    default:
      break;
  }
  const auto job = state.range(0) == 0 ? TrialJob::kReadAllChannels : TrialJob::kProgramAndVerify;
  std::array<double, 3> mean{};
  std::array<double, 3> worst{};
  double job_ms = 0;
  for (auto _ : state) {
    mean = worst = {};
    job_ms = 0;
    for (int seed = 1; seed <= seeds; ++seed) {
      options.seed = static_cast<std::uint32_t>(seed);
      const TimeLeftTrial trial = RunTimeLeftTrial(job, options);
      if (!trial.succeeded) state.SkipWithError("the job failed");
      job_ms += static_cast<double>(trial.total_ms) / seeds;
      for (std::size_t i = 0; i < mean.size(); ++i) {
        mean[i] += (seeds == 1 ? trial.error[i] : std::abs(trial.error[i])) / seeds;
        if (std::abs(trial.error[i]) > std::abs(worst[i])) worst[i] = trial.error[i];
      }
    }
  }
  state.counters["job_s"] = job_ms / 1000;
  state.counters["at10_pct"] = 100 * mean[0];
  state.counters["at50_pct"] = 100 * mean[1];
  state.counters["at90_pct"] = 100 * mean[2];
  if (seeds > 1) {
    state.counters["worst10_pct"] = 100 * worst[0];
    state.counters["worst50_pct"] = 100 * worst[1];
    state.counters["worst90_pct"] = 100 * worst[2];
  }
}
BENCHMARK(BM_TimeLeftAccuracy)
    ->ArgNames({"program_verify", "line"})
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
}  // namespace
}  // namespace kestrel::link
