// kestrel-cli read and program of a full receiver (1000 channels in use) against kestrel-sim on
// a pseudo-terminal, in real time. The protocol's own floor is one 40 ms settle delay per command
// sent (a pseudo-terminal adds no baud-rate time), so the figures that matter are the wall time
// over that floor and the CPU time over the wall time: waiting must not cost CPU.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "files/image_file.h"
#include "image/encoder.h"
#include "link/program_sequence.h"
#include "link/range_lists.h"
#include "link/serial_line.h"
#include "model/defaults.h"

extern char** environ;

namespace kestrel {
namespace {

std::string Program(const std::string& name) {
  return std::string(KESTREL_BINARY_DIR) + "/app/" + name + "/" + name;
}

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

pid_t Spawn(const std::string& path, const std::vector<std::string>& args, int out_fd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Waits for `pid`; its CPU time (user + system) in seconds, negative when it failed.
double Reap(pid_t pid) {
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return -1;
  const double cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  const bool ended = WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM;
  return ok || ended ? cpu : -1;
}

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
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("kestrel-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  RadioConfig record = FullRecord();
  MemoryImage memory;
  if (!EncodeImage(record, memory) || !SaveImageFile(dir / "full.bin", memory)) {
    state.SkipWithError("cannot build the receiver image");
    return;
  }
  const std::string data = (dir / "full.dat").string();
  if (program && !SaveDataFile(data, record)) {
    state.SkipWithError("cannot write the data file");
    return;
  }

  for (auto _ : state) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) break;
    const pid_t sim =
        Spawn(Program("kestrel-sim"), {"--image", (dir / "full.bin").string()}, pipe_fds[1]);
    close(pipe_fds[1]);
    std::string device;
    pollfd fd{pipe_fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&fd, 1, 5000) > 0 && read(pipe_fds[0], &c, 1) == 1 && c != '\n') device += c;
    if (sim < 0 || device.empty()) {
      state.SkipWithError("kestrel-sim did not start");
      break;
    }
    const int null_fd = open("/dev/null", O_WRONLY);
    const std::vector<std::string> read_args{"read", "--port", device, "-o", data};
    const std::vector<std::string> program_args{"program", "--port", device, data};
    const auto start = std::chrono::steady_clock::now();
    const pid_t cli = Spawn(Program("kestrel-cli"), program ? program_args : read_args, null_fd);
    const double cli_cpu = Reap(cli);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    kill(sim, SIGTERM);
    const double sim_cpu = Reap(sim);
    close(null_fd);
    close(pipe_fds[0]);
    if (cli_cpu < 0) {
      state.SkipWithError("kestrel-cli failed");
      break;
    }
    const double floor = commands * link::kSettleDelayMs / 1000.0;
    state.SetIterationTime(wall);
    state.counters["commands"] = commands;
    state.counters["floor_s"] = floor;
    state.counters["wall_over_floor"] = wall / floor;
    state.counters["cli_cpu_over_wall"] = cli_cpu / wall;
    state.counters["sim_cpu_s"] = sim_cpu;
  }
  std::filesystem::remove_all(dir);
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
