#include <benchmark/benchmark.h>

#include "model/defaults.h"
#include "print/reports.h"
#include "print/text_canvas.h"

namespace {

// Measures nothing and keeps nothing: the cost of laying the reports out.
class NullCanvas final : public kestrel::print::ReportCanvas {
 public:
  void SetFontSize(double) override {}
  double TextWidth(std::string_view text) const override { return 10.0 * text.size(); }
  double TextHeight(std::string_view) const override { return 20; }
  double PrintableWidth() const override { return 1000; }
  double PrintableHeight() const override { return 1400; }
  void PrintText(double, double, std::string_view text) override { chars_ += text.size(); }
  void NewPage() override {}
  void EndDocument() override { benchmark::DoNotOptimize(chars_); }

 private:
  std::size_t chars_ = 0;
};

kestrel::RadioConfig AllChannelsProgrammed() {
  kestrel::RadioConfig record = kestrel::NewConfiguration();
  for (int n = 1; n <= kestrel::kChannelCount; ++n) {
    auto& channel = record.Channel(n);
    channel = {1, "1299995000", "WWWWWW", 2, 0, 5, 50, 50, 104, 1, 16, 56};
  }
  return record;
}

// A full memory report: 1000 channel lines, the largest print job the tool makes.
void BM_MemoryReportLayout(benchmark::State& state) {
  const kestrel::RadioConfig record = AllChannelsProgrammed();
  NullCanvas canvas;
  for (auto _ : state) kestrel::print::PrintMemoryReport(record, canvas);
}
BENCHMARK(BM_MemoryReportLayout);

// `kestrel-cli show` of a full record: all three reports as text.
void BM_AllReportsAsText(benchmark::State& state) {
  const kestrel::RadioConfig record = AllChannelsProgrammed();
  for (auto _ : state) {
    kestrel::print::TextCanvas canvas;
    kestrel::print::PrintSelected(record, kestrel::print::kAllReports, canvas);
    benchmark::DoNotOptimize(canvas.Text());
  }
}
BENCHMARK(BM_AllReportsAsText);

}  // namespace
