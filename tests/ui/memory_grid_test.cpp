#include <gtest/gtest.h>

#include <QClipboard>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "ui/channel_editor_dialog.h"
#include "ui/document.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_grid_view.h"
#include "ui/memory_page.h"
#include "ui/page_layout.h"
#include "ui/typed_list_box.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

using Model = MemoryGridModel;
using MemoryGrid = testing::MemoryPageTest;

TEST_F(MemoryGrid, ModelAndViewShowTheLiveRecordAndUpdates) {
  Model model(document);
  EXPECT_EQ(model.rowCount(), 1000);
  EXPECT_EQ(model.headerData(999, Qt::Vertical).toString(), "999");
  const QModelIndex name = model.index(800, Model::kNameColumn);
  EXPECT_TRUE(model.flags(name).testFlag(Qt::ItemIsEditable));
  EXPECT_FALSE(model.flags(model.index(800, Model::kTsqColumn)).testFlag(Qt::ItemIsEditable))
      << "tone select VFO keeps no tone";

  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  document.Edit("name", [](RadioConfig& record) {
    record.Channel(801).Name =
        "R\xC4"
        "DIO";
  });
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(name.data().toString(), QString::fromUtf8("R\u00C4DIO"));  // Windows-1252

  MemoryGridView view;
  view.SetGridModel(&model);
  EXPECT_TRUE(view.isColumnHidden(Model::kNumberColumn));
  EXPECT_EQ(view.CurrentChannel(), 1);
  view.SelectChannel(500);
  model.Reload();
  EXPECT_EQ(view.CurrentChannel(), 500) << "a reload keeps the current row";

  // The columns fill a wide grid, none narrower than it was drawn.
  view.resize(2000, 300);
  view.show();
  int total = 0;
  for (int column = Model::kFrequencyColumn; column < Model::kColumnCount; ++column) {
    EXPECT_GE(view.columnWidth(column), TwipsToPixels(&view, Model::ColumnWidthTwips(column)));
    total += view.columnWidth(column);
  }
  EXPECT_EQ(total, view.viewport()->width());
}

TEST_F(MemoryGrid, CtrlLeftClickOnlyShowsTheBoxAndDoubleClickOrEnterOpensTheEditor) {
  page.resize(900, 600);
  page.show();
  MemoryGridView* view = page.Grid();
  const auto cell = [view](int row, int column) {
    return view->visualRect(view->model()->index(row, column)).center();
  };
  const QPoint name4 = cell(3, Model::kNameColumn);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier,
                    name4);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, name4);
  QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::ControlModifier, name4);
  EXPECT_TRUE(feedback.informations.isEmpty());
  EXPECT_EQ(view->CurrentChannel(), 4);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    cell(7, Model::kModeColumn));
  EXPECT_EQ(feedback.informations, QStringList({"Kestrel Programming Tool|Ctrl Key + LeftClick"}));
  EXPECT_EQ(view->CurrentChannel(), 4) << "the Ctrl click does nothing else";

  // A double-click on channel 6's row, and Enter on the row below it, open the editor there.
  const std::pair<std::function<void()>, int> opens[] = {
      {[&] {
         QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell(5, Model::kNameColumn));
       },
       6},
      {[&] { QTest::keyClick(view, Qt::Key_Down), QTest::keyClick(view, Qt::Key_Return); }, 7}};
  for (const auto& [open, channel] : opens) {
    open();
    auto* editor = page.findChild<ChannelEditorDialog*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Channel(), channel);
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(MemoryGrid, ClearEmptiesTheSelectedRangeAndClearAllEveryChannel) {
  MemoryGridView* view = page.Grid();
  QSignalSpy changed(page.GridModel(), &QAbstractItemModel::dataChanged);

  // Rows 803 to 806, the current row the first of them.
  view->SelectChannels(803, 806);
  page.findChild<QPushButton*>("cmdClearDflt")->click();

  // Programmed channels on both sides, and at both ends of the range.
  const RadioConfig& record = document.Record();
  EXPECT_TRUE(record.Channel(802).IsProgrammed());
  for (int channel = 803; channel <= 806; ++channel) {
    EXPECT_EQ(record.Channel(channel), MemoryChannel{}) << channel;
  }
  EXPECT_TRUE(record.Channel(807).IsProgrammed());
  EXPECT_EQ(changed.count(), 1);

  // Clearing channels that are empty already changes nothing.
  document.MarkSaved("x.dat");
  view->SelectChannel(1);
  page.ClearSelectedChannels();
  EXPECT_FALSE(document.IsModified());

  page.findChild<QPushButton*>("cmdClearAllDflt")->click();
  EXPECT_EQ(record.ProgrammedChannelCount(), 0);
  EXPECT_TRUE(document.IsModified());
}

TEST_F(MemoryGrid, APasteWithARefusedRowPastesNothingAndNamesTheRow) {
  QGuiApplication::clipboard()->setText(
      "Location\tName\tFrequency\tMode\n1\tA\t145.5\tFM\n2\tB\t145.001\tFM\n");
  page.Grid()->SelectChannel(11);
  page.PasteChannels();
  EXPECT_EQ(document.Record(), Document().Record());
  ASSERT_EQ(feedback.warnings.size(), 1);
  EXPECT_TRUE(feedback.warnings[0].contains("line 3 (channel 011), column Frequency: "))
      << feedback.warnings[0].toStdString();

  QGuiApplication::clipboard()->setText("Location\tFrequency\tMode\n1\t145.5\tFM\n2\t7\tAM\n");
  page.Grid()->SelectChannel(1000);
  page.PasteChannels();
  EXPECT_FALSE(document.IsModified()) << "two rows do not fit below the last channel";
  page.Grid()->SelectChannel(999);
  page.PasteChannels();
  EXPECT_EQ(document.Record().Channel(1000).Frequency, "7000000");
}

// The tone lists align their numbers with blanks; typing the number picks the entry.
TEST(TypedListBox, TypingPicksTheEntryItsLeadingBlanksAside) {
  const QStringList tones = MemoryGridModel::ListEntries(MemoryGridModel::kTsqColumn);
  const QStringList trains = MemoryGridModel::ListEntries(MemoryGridModel::kTrainColumn);
  EXPECT_EQ(tones[EntryTypedAs(tones, "67")].trimmed(), "67.0");
  EXPECT_TRUE(trains[EntryTypedAs(trains, "2280")].contains("2280"));
  EXPECT_EQ(EntryTypedAs(tones, "x"), -1);
  EXPECT_EQ(EntryTypedAs(tones, ""), -1);

  // In the grid's list cell, keys typed one after the other add to one search.
  TypedListBox box;
  box.addItems(tones);
  QTest::keyClicks(&box, "67");
  EXPECT_EQ(box.currentText().trimmed(), "67.0");
}

}  // namespace
}  // namespace kestrel::ui
