#include <benchmark/benchmark.h>

#include "image/decoder.h"
#include "image/encoder.h"
#include "model/defaults.h"

namespace {

// Every programming run encodes the whole record: 1000 slots and the factory tables.
void BM_EncodeImage(benchmark::State& state) {
  kestrel::RadioConfig record = kestrel::NewConfiguration();
  for (int c = 1; c <= kestrel::kChannelCount; ++c) {
    kestrel::MemoryChannel& channel = record.Channel(c);
    channel.InUse = 1;
    channel.Frequency = "145012500";
    channel.Name = "CHAN";
  }
  kestrel::MemoryImage image;
  for (auto _ : state) benchmark::DoNotOptimize(kestrel::EncodeImage(record, image));
}
BENCHMARK(BM_EncodeImage);

// The end of every read: channels marked from the bitmap, then the whole image decoded.
void BM_MarkAndDecode(benchmark::State& state) {
  kestrel::MemoryImage image;
  image.Fill(0xFF);
  kestrel::RadioConfig record;
  for (auto _ : state) {
    kestrel::MarkUsedChannels(image, record);
    kestrel::DecodeImage(image, record);
    benchmark::DoNotOptimize(record);
  }
}
BENCHMARK(BM_MarkAndDecode);

}  // namespace
