#include <benchmark/benchmark.h>

#include "model/defaults.h"
#include "model/frequency_text.h"
#include "model/record_check.h"

namespace {

// A new document is built on start-up and on every File > New.
void BM_NewConfiguration(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(kestrel::NewConfiguration());
}
BENCHMARK(BM_NewConfiguration);

// The grid formats one frequency per programmed row.
void BM_HzToMhzText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(kestrel::HzToMhzText("118008334"));
}
BENCHMARK(BM_HzToMhzText);

// Every Write checks the whole record first, and kestrel-cli check checks every channel as the
// editor would; a record of 1000 programmed channels must stay far below what a click notices.
void BM_CheckRecordOfAThousandChannels(benchmark::State& state) {
  kestrel::RadioConfig record = kestrel::NewConfiguration();
  for (int n = 1; n <= kestrel::kChannelCount; ++n) {
    record.Channel(n) = {1, "145012500", "CH", 1, 3, 1, 9, 0, 0, -1, 0, 0};
  }
  for (auto _ : state) benchmark::DoNotOptimize(kestrel::CheckRecord(record));
}
BENCHMARK(BM_CheckRecordOfAThousandChannels)->Unit(benchmark::kMicrosecond);

}  // namespace
