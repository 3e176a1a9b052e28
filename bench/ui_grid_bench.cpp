// The Memory page must redraw within a frame: a reload of all 1000 rows after New, Open or a
// read, "Clear All", and painting the rows a window shows.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/document.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_grid_view.h"
#include "ui/memory_page.h"

namespace {

using kestrel::ui::Document;
using kestrel::ui::MemoryPage;

// A Memory page of the default configuration, shown at a typical window size.
struct ShownPage {
  ShownPage() : page(document) {
    page.resize(820, 560);
    page.show();
    QApplication::processEvents();
  }
  Document document;
  MemoryPage page;
};

void BM_GridReload(benchmark::State& state) {
  ShownPage shown;
  for (auto _ : state) {
    shown.page.Reload();
    QApplication::processEvents();  // the view's deferred layout after the reset
  }
}
BENCHMARK(BM_GridReload)->Unit(benchmark::kMicrosecond);

void BM_GridClearAll(benchmark::State& state) {
  ShownPage shown;
  for (auto _ : state) {
    shown.page.ClearAllChannels();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_GridClearAll)->Unit(benchmark::kMicrosecond);

// One full repaint of the visible page of rows, headings included.
void BM_GridRepaintVisiblePage(benchmark::State& state) {
  ShownPage shown;
  kestrel::ui::MemoryGridView* grid = shown.page.Grid();
  grid->scrollTo(shown.page.GridModel()->index(800, kestrel::ui::MemoryGridModel::kNameColumn));
  for (auto _ : state) benchmark::DoNotOptimize(grid->grab());
}
BENCHMARK(BM_GridRepaintVisiblePage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
