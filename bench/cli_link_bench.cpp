// kestrel-cli read and program of a full receiver (1000 channels in use) against kestrel-sim on
// a pseudo-terminal, in real time. The protocol's own floor is one 40 ms settle delay per command
// sent (a pseudo-terminal adds no baud-rate time), so the figures that matter are the wall time
// over that floor and the CPU time over the wall time: waiting must not cost CPU.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "files/image_file.h"
#include "image/encoder.h"
#include "link/program_sequence.h"
#include "link/range_lists.h"
#include "link/serial_line.h"
#include "model/defaults.h"
#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel {
namespace {

using testing::RunProgram;
using testing::SimProcess;

// Commands one sequence sends: the pre-check's handshake and 8 or 1 blocks, then the loop's
// handshake and its list.
double CommandsSent(int precheck_blocks, const std::vector<link::AddressRange>& list) {
  std::size_t commands = 1 + static_cast<std::size_t>(precheck_blocks) + 1;
  for (const link::AddressRange& range : list) commands += link::SplitRange(range).size();
  return static_cast<double>(commands);
}

RadioConfig FullRecord() {
  RadioConfig record = NewConfiguration();
  for (int c = 1; c <= kChannelCount; ++c) {
    MemoryChannel& channel = record.Channel(c);
    channel.InUse = 1;
    channel.Frequency = std::to_string(430000000 + 25000 * c);
    channel.Name = "CH" + std::to_string(c);
  }
  return record;
}

void RunAgainstSim(benchmark::State& state, bool program, double commands) {
  const testing::TempFolder folder;
  const std::string image = folder.Path("full.bin"), data = folder.Path("full.dat");
  RadioConfig record = FullRecord();
  MemoryImage memory;
  if (!EncodeImage(record, memory) || !SaveImageFile(image, memory) ||
      (program && !SaveDataFile(data, record))) {
    state.SkipWithError("cannot write the receiver image or the data file");
    return;
  }

  for (auto _ : state) {
    SimProcess sim({"--image", image});
    if (sim.device().empty()) {
      state.SkipWithError("kestrel-sim did not start");
      break;
    }
    const std::vector<std::string> read_args{"read", "--port", sim.device(), "-o", data};
    const std::vector<std::string> program_args{"program", "--port", sim.device(), data};
    const auto start = std::chrono::steady_clock::now();
    const testing::ProgramResult cli =
        RunProgram("kestrel-cli", program ? program_args : read_args);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    sim.Stop();
    if (cli.exit_status != 0) {
      state.SkipWithError(("kestrel-cli failed: " + cli.err).c_str());
      break;
    }
    const double floor = commands * link::kSettleDelayMs / 1000.0;
    state.SetIterationTime(wall);
    state.counters["commands"] = commands;
    state.counters["floor_s"] = floor;
    state.counters["wall_over_floor"] = wall / floor;
    state.counters["cli_cpu_over_wall"] = cli.cpu_seconds / wall;
    state.counters["sim_cpu_s"] = sim.cpu_seconds();
  }
}

void BM_CliReadFullReceiver(benchmark::State& state) {
  std::array<bool, 1000> all{};
  all.fill(true);
  RunAgainstSim(state, false, CommandsSent(8, link::BuildReadList(all)));
}

void BM_CliProgramFullReceiver(benchmark::State& state) {
  RunAgainstSim(state, true, CommandsSent(1, link::BuildProgramList()));
}

BENCHMARK(BM_CliReadFullReceiver)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_CliProgramFullReceiver)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace kestrel
