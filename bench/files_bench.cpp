#include <benchmark/benchmark.h>

#include <filesystem>

#include "files/channel_csv.h"
#include "files/channel_import.h"
#include "files/data_file.h"
#include "files/settings.h"
#include "model/defaults.h"
#include "support/temp_files.h"

namespace {

// A full file: every channel programmed with a name, as after reading a well-used receiver.
kestrel::RadioConfig FullRecord() {
  kestrel::RadioConfig record = kestrel::NewConfiguration();
  for (int n = 1; n <= kestrel::kChannelCount; ++n) {
    kestrel::MemoryChannel& channel = record.Channel(n);
    channel.InUse = 1;
    channel.Frequency = std::to_string(118'000'000 + n * 12'500);
    channel.Name = "CH" + std::to_string(n);
    channel.Mode = 3;
  }
  return record;
}

// Files of the benchmarks, removed at the end of the run.
std::filesystem::path BenchFile(const char* name) {
  static const kestrel::testing::TempFolder folder;
  return folder / name;
}

void BM_FormatDataFile(benchmark::State& state) {
  const kestrel::RadioConfig record = FullRecord();
  for (auto _ : state) benchmark::DoNotOptimize(kestrel::FormatDataFile(record));
}
BENCHMARK(BM_FormatDataFile)->Unit(benchmark::kMicrosecond);

void BM_ParseDataFile(benchmark::State& state) {
  const kestrel::RadioConfig base = kestrel::NewConfiguration();
  const std::string text = kestrel::FormatDataFile(FullRecord());
  for (auto _ : state) benchmark::DoNotOptimize(kestrel::ParseDataFile(text, base));
}
BENCHMARK(BM_ParseDataFile)->Unit(benchmark::kMicrosecond);

// Import of a list of 1000 rows, every row through the channel rules, in each layout import
// reads: the tool's own, the common layout of other tools, a frequency database's.
std::string DatabaseList() {
  std::string text = "Frequency Output,Frequency Input,Alpha Tag,PL Tone,Mode,Description\r\n";
  for (int n = 1; n <= kestrel::kChannelCount; ++n) {
    text += std::to_string((150'000'000 + n * 12'500) / 1e6) + ",,UNIT" + std::to_string(n) +
            ",136.5 PL,FMN,dispatch\r\n";
  }
  return text;
}

void BM_ImportChannels(benchmark::State& state) {
  const kestrel::RadioConfig base = kestrel::NewConfiguration();
  const auto channels = kestrel::ProgrammedChannels(FullRecord());
  std::vector<int> unheld;
  const std::string texts[] = {kestrel::FormatChannelTable(channels),
                               kestrel::FormatCommonChannelTable(channels, unheld), DatabaseList()};
  const std::string& text = texts[state.range(0)];
  for (auto _ : state) {
    const kestrel::ChannelImport result = kestrel::ImportChannels(text, base, {.replace = true});
    if (result.imported != kestrel::kChannelCount) state.SkipWithError("rows refused");
  }
}
BENCHMARK(BM_ImportChannels)
    ->ArgName("own_common_database")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMicrosecond);

// A 60 MB file of blank lines is refused at its 1001st, without reading the rest.
void BM_ImportRefusesBlankLines(benchmark::State& state) {
  const std::string text = "No.,Frequency,Mode\r\n" + std::string(60'000'000, '\n');
  for (auto _ : state) {
    const kestrel::ChannelImport result = kestrel::ImportChannels(text, {}, {});
    if (!result.refused) state.SkipWithError("taken");
  }
}
BENCHMARK(BM_ImportRefusesBlankLines)->Unit(benchmark::kMicrosecond);

// File > Save: includes the flush to the disk and the rename.
void BM_SaveDataFile(benchmark::State& state) {
  const kestrel::RadioConfig record = FullRecord();
  const auto path = BenchFile("kestrel-bench-save.dat");
  for (auto _ : state) {
    if (!kestrel::SaveDataFile(path, record)) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveDataFile)->Unit(benchmark::kMicrosecond);

// File > Open of a file the system has in its cache.
void BM_LoadDataFile(benchmark::State& state) {
  const kestrel::RadioConfig base = kestrel::NewConfiguration();
  const auto path = BenchFile("kestrel-bench-load.dat");
  if (!kestrel::SaveDataFile(path, FullRecord())) state.SkipWithError("save failed");
  for (auto _ : state) benchmark::DoNotOptimize(kestrel::LoadDataFile(path, base));
}
BENCHMARK(BM_LoadDataFile)->Unit(benchmark::kMicrosecond);

// One COM menu choice writes the settings file once.
void BM_SaveComPort(benchmark::State& state) {
  const auto path = BenchFile("kestrel-bench-Heron.ini");
  kestrel::SavePrintSettings(path, {1, 1, 0, 0});
  int port = 1;
  for (auto _ : state) kestrel::SaveComPort(path, port = port % 4 + 1);
}
BENCHMARK(BM_SaveComPort)->Unit(benchmark::kMicrosecond);

}  // namespace
