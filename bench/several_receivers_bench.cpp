// kestrel-cli program with one --port per kestrel-sim receiver on a pseudo-terminal: 1, 2, 4 and
// 8 receivers written at the same time, in real time (about 45 s a round). Every command leaves
// the line idle for its settle delay, so several receivers should take about the time of one:
// `wall_vs_one` is a round's wall time over the one-receiver round's (target: 8 receivers within
// 1.1), and `cli_cpu_per_receiver` the share of a core kestrel-cli spends per receiver (target:
// under 0.02). `sim_cpu_per_receiver` is the simulators' own share, for comparison.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel {
namespace {

using testing::RunProgram;
using testing::SimProcess;

double one_receiver_wall = 0;  // the first round's, which programs one receiver

void BM_ProgramReceiversAtOnce(benchmark::State& state) {
  const auto receivers = static_cast<int>(state.range(0));
  const testing::TempFolder folder;
  const std::string data = folder.Path("default.dat");
  if (RunProgram("kestrel-cli", {"new", "-o", data}).exit_status != 0) {
    state.SkipWithError("cannot write the data file");
    return;
  }
  for (auto _ : state) {
    std::vector<std::unique_ptr<SimProcess>> sims;
    std::vector<std::string> args{"program", data};
    for (int i = 0; i < receivers; ++i) {
      sims.push_back(std::make_unique<SimProcess>(std::vector<std::string>{}));
      args.insert(args.end(), {"--port", sims.back()->device()});
    }
    const auto start = std::chrono::steady_clock::now();
    const testing::ProgramResult cli = RunProgram("kestrel-cli", args);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    double sim_cpu = 0;
    for (const auto& sim : sims) {
      sim->Stop();
      sim_cpu += sim->cpu_seconds();
    }
    if (cli.exit_status != 0) {
      state.SkipWithError(("kestrel-cli failed: " + cli.err).c_str());
      break;
    }
    if (receivers == 1) one_receiver_wall = wall;
    state.SetIterationTime(wall);
    state.counters["wall_vs_one"] = one_receiver_wall > 0 ? wall / one_receiver_wall : 0;
    state.counters["cli_cpu_per_receiver"] = cli.cpu_seconds / receivers / wall;
    state.counters["sim_cpu_per_receiver"] = sim_cpu / receivers / wall;
  }
}

BENCHMARK(BM_ProgramReceiversAtOnce)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace kestrel
