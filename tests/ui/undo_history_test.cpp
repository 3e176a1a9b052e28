#include <gtest/gtest.h>

#include <random>

#include "model/defaults.h"
#include "ui/document.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_grid_view.h"
#include "ui/memory_page.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

using Model = MemoryGridModel;

// Random changes through every way the Memory page and the pages' Set change the record, then
// undo and redo step by step: each step restores the record exactly.
using UndoHistory = testing::MemoryPageTest;

TEST_F(UndoHistory, EveryStepUndoesAndRedoesToTheExactRecord) {
  std::mt19937 random(14);
  const auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const auto cell = [&](int channel, int column, const QVariant& value) {
    page.GridModel()->setData(page.GridModel()->index(channel - 1, column), value);
  };
  const auto select = [&] {
    const int first = pick(790, 970);
    page.Grid()->SelectChannels(first, first + pick(0, 6));
  };
  const std::function<void()> changes[] = {
      [&] { cell(pick(801, 830), Model::kFrequencyColumn, pick(0, 1) ? "7.2" : "145.0125"); },
      [&] { cell(pick(801, 830), Model::kNameColumn, QString(QChar(u'A' + pick(0, 25)))); },
      [&] { cell(pick(801, 830), Model::kToneSelectColumn, pick(0, 5)); },
      [&] { select(), page.ClearSelectedChannels(); },
      [&] { select(), page.InsertEmptyChannels(); },
      [&] { select(), page.RemoveSelectedChannels(); },
      [&] { select(), page.MoveSelectedChannels(pick(0, 1) ? 1 : -1); },
      [&] { select(), page.SortSelectedChannels(ChannelOrder::kName); },
      [&] { select(), page.CutSelectedChannels(); },
      [&] { select(), page.PasteChannels(); },
      [&] {
        document.Edit("pages", [&](RadioConfig& record) {
          record.SetMode[fn::kLamp] = static_cast<std::int16_t>(pick(0, 2));
          record.Band(pick(0, 23)).UpperFrequency = std::to_string(pick(100, 999)) + ".00000";
          record.Factory.ChargeTime = pick(0, 23);
        });
      },
      [&] { document.Replace(NewConfiguration(), "new.dat"); },
      [&] {
        RadioConfig read = NewConfiguration();
        read.Channel(pick(1, 1000)).Name = "READ";
        document.ReplaceFromReceiver(read);
      }};
  std::vector<RadioConfig> records{document.Record()};
  for (int tries = 0; tries < 400 && records.size() <= 40; ++tries) {
    changes[pick(0, static_cast<int>(std::size(changes)) - 1)]();
    // One step for a change, none for one the rules refused.
    if (document.History().index() == static_cast<int>(records.size())) {
      records.push_back(document.Record());
    }
    ASSERT_EQ(document.History().index() + 1, static_cast<int>(records.size()));
  }
  ASSERT_EQ(records.size(), 41u);
  for (auto back = records.size() - 1; back > 0; --back) {
    document.History().undo();
    ASSERT_EQ(document.Record(), records[back - 1]) << back;
  }
  for (std::size_t forward = 1; forward < records.size(); ++forward) {
    document.History().redo();
    ASSERT_EQ(document.Record(), records[forward]) << forward;
  }
}

TEST_F(UndoHistory, TheModifiedMarkFollowsTheHistory) {
  document.MarkSaved("a.dat");
  document.Edit("lamp", [](RadioConfig& record) { record.SetMode[fn::kLamp] = 0; });
  EXPECT_TRUE(document.IsModified());
  document.History().undo();
  EXPECT_FALSE(document.IsModified()) << "back at the saved record";
  document.History().redo();
  EXPECT_TRUE(document.IsModified());
}

}  // namespace
}  // namespace kestrel::ui
