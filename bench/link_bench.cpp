// The link's own cost per command: the full read and program lists against the in-process
// receiver on the virtual clock, so the time measured is framing, checking and bookkeeping, not
// waiting. Reported as CPU time per command.
#include <benchmark/benchmark.h>

#include "link/link.h"
#include "link/sim/simulated_receiver_port.h"

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

}  // namespace
}  // namespace kestrel::link
