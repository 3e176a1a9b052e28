// The Memory page must redraw within a frame: a reload of all 1000 rows after New, Open or a
// read, "Clear All", and painting the rows a window shows. The commands that work on every row
// at once must answer without a wait: a paste of 1000 rows by position, a heading click sorting
// 1000 rows, Ctrl+Enter into 1000 selected rows, and undoing a 1000-row paste; and one typed
// cell, while empty rows are hidden.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QStringList>

#include "ui/document.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_grid_view.h"
#include "ui/memory_page.h"

namespace {

using kestrel::ui::Document;
using kestrel::ui::MemoryPage;

// 1000 lines of frequencies, MHz as a spreadsheet column holds them; `offset` kHz apart sets.
QString FrequencyColumn(int offset) {
  QStringList lines;
  for (int i = 0; i < kestrel::kChannelCount; ++i) {
    lines << QString::number(146.0 + (i * 25 + offset) / 1000.0, 'f', 3);
  }
  return lines.join(u'\n');
}

// A Memory page of the default configuration, shown at a typical window size.
struct ShownPage {
  ShownPage() : page(document) {
    page.resize(820, 560);
    page.show();
    QApplication::processEvents();
  }
  // Every channel programmed, by a paste of 1000 frequencies from the first.
  void FillAll() {
    QGuiApplication::clipboard()->setText(FrequencyColumn(0));
    page.Grid()->SelectChannel(1);
    page.PasteChannels();
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

void BM_GridPaste1000Rows(benchmark::State& state) {
  ShownPage shown;
  const QString texts[] = {FrequencyColumn(0), FrequencyColumn(5)};
  int turn = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QGuiApplication::clipboard()->setText(texts[turn++ % 2]);
    shown.page.Grid()->SelectChannel(1);
    state.ResumeTiming();
    shown.page.PasteChannels();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_GridPaste1000Rows)->Unit(benchmark::kMillisecond);

void BM_GridHeaderSort1000Rows(benchmark::State& state) {
  ShownPage shown;
  shown.FillAll();
  for (auto _ : state) {
    shown.page.Grid()->SortViewBy(kestrel::ui::MemoryGridModel::kFrequencyColumn);  // reverses
    QApplication::processEvents();
  }
}
BENCHMARK(BM_GridHeaderSort1000Rows)->Unit(benchmark::kMillisecond);

void BM_GridFill1000SelectedRows(benchmark::State& state) {
  ShownPage shown;
  shown.FillAll();
  shown.page.Grid()->SelectChannels(1, kestrel::kChannelCount);
  const QString names[] = {QStringLiteral("KITE"), QStringLiteral("BOAT")};
  int turn = 0;
  for (auto _ : state) {
    shown.page.FillSelectedChannels(kestrel::ui::MemoryGridModel::kNameColumn, names[turn++ % 2]);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_GridFill1000SelectedRows)->Unit(benchmark::kMillisecond);

void BM_GridUndo1000RowPaste(benchmark::State& state) {
  ShownPage shown;
  shown.FillAll();
  for (auto _ : state) {
    shown.document.History().undo();
    QApplication::processEvents();
    state.PauseTiming();
    shown.document.History().redo();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GridUndo1000RowPaste)->Unit(benchmark::kMillisecond);

// One name typed into a cell while only programmed channels are shown: every edit checks which
// rows stay visible.
void BM_GridTypeOneCellShowingProgrammedOnly(benchmark::State& state) {
  ShownPage shown;
  shown.FillAll();
  shown.page.Grid()->ShowProgrammedOnly(true);
  const QModelIndex cell =
      shown.page.GridModel()->index(500, kestrel::ui::MemoryGridModel::kNameColumn);
  const QString names[] = {QStringLiteral("KITE"), QStringLiteral("BOAT")};
  int turn = 0;
  for (auto _ : state) {
    shown.page.GridModel()->setData(cell, names[turn++ % 2], Qt::EditRole);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_GridTypeOneCellShowingProgrammedOnly)->Unit(benchmark::kMicrosecond);

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
