#include <benchmark/benchmark.h>

#include "model/defaults.h"
#include "model/frequency_text.h"

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

}  // namespace
