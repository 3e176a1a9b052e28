// The Memory grid by keyboard: Go to Channel, Find, Enter and Tab in a cell editor, a frequency
// typed into an empty channel, and paste by position.
#include <gtest/gtest.h>

#include <array>

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "ui/channel_editor_dialog.h"
#include "ui/fill_frequencies_dialog.h"
#include "ui/grid_prompt.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_grid_view.h"
#include "ui/memory_page.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

using Model = MemoryGridModel;
constexpr int kFrequency = Model::kFrequencyColumn, kName = Model::kNameColumn,
              kMode = Model::kModeColumn, kToneSelect = Model::kToneSelectColumn,
              kTsq = Model::kTsqColumn, kStep = Model::kStepColumn;

// The page shown and active, its grid with the focus, as a user finds it.
struct GridKeys : testing::MemoryPageTest {
  void SetUp() override {
    page.resize(900, 400);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    Grid()->setFocus();
  }
  MemoryGridView* Grid() { return page.Grid(); }
  // The open prompt, after `keys` were typed into it and Enter pressed; nullptr once it closed.
  GridPrompt* Answer(const char* name, const QString& keys) {
    auto* prompt = page.findChild<GridPrompt*>(name);
    if (!prompt) return nullptr;
    prompt->Field()->clear();
    QTest::keyClicks(prompt->Field(), keys);
    QTest::keyClick(prompt->Field(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return page.findChild<GridPrompt*>(name);
  }
  bool InSight(const QModelIndex& cell) {
    return Grid()->viewport()->rect().contains(Grid()->visualRect(cell));
  }
  QModelIndex At(int row, int column) { return Grid()->model()->index(row, column); }
  // F2 on the current cell, `keys` typed over what its editor shows, then `end`; false when no
  // editor opened.
  bool TypeIntoCell(const QString& keys, Qt::Key end = Qt::Key_Return,
                    Qt::KeyboardModifiers held = {}) {
    QTest::keyClick(Grid(), Qt::Key_F2);
    QWidget* editor = Grid()->indexWidget(Grid()->currentIndex());
    if (!editor) return false;
    if (auto* field = qobject_cast<QLineEdit*>(editor)) field->clear();
    QTest::keyClicks(editor, keys);
    QTest::keyClick(editor, end, held);
    QCoreApplication::sendPostedEvents();  // the view commits and closes from its event loop
    return true;
  }
};

TEST_F(GridKeys, CtrlGGoesToTheFrequencyCellOfTheChannelTypedOrRefusesWhatIsNone) {
  QTest::keyClick(Grid(), Qt::Key_G, Qt::ControlModifier);
  auto* prompt = page.findChild<GridPrompt*>("goToChannel");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(prompt->Field()->text().toStdString(), "000") << "it starts at the current channel";
  for (const char* refused : {"1000", "abc", "-1", "", "25a", "+25"}) {
    feedback.statuses.clear();
    EXPECT_EQ(Answer("goToChannel", refused), prompt) << refused << ": the prompt stays";
    EXPECT_EQ(feedback.statuses,
              QStringList(
                  QString("\"%1\" is not a channel: type a number from 000 to 999.").arg(refused)));
  }
  EXPECT_EQ(feedback.beeps, 6);
  EXPECT_EQ(Answer("goToChannel", "250"), nullptr);
  EXPECT_EQ(Grid()->currentIndex(), At(250, kFrequency));
  EXPECT_EQ(Grid()->SelectedChannelRange(), std::make_pair(251, 251));
  EXPECT_TRUE(InSight(Grid()->currentIndex()));
  EXPECT_TRUE(Grid()->hasFocus());

  for (const auto& [typed, row] : {std::pair{"999", 999}, {"7", 7}, {" 000 ", 0}}) {
    Grid()->setFocus();
    QTest::keyClick(Grid(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(Answer("goToChannel", typed), nullptr) << typed;
    EXPECT_EQ(Grid()->currentIndex().row(), row) << typed;
    EXPECT_TRUE(InSight(Grid()->currentIndex())) << typed;
  }
}

TEST_F(GridKeys, CtrlFFindsANameOrAFrequencyAsShownAndF3WrapsBothWays) {
  document.Edit("setup", [](RadioConfig& record) {
    record.Channel(5) = {1, "433925000", "KITE", 1, 1, 0, 0, 0, 0, -1, 0, 0};
    record.Channel(300) = {1, "145500000", "kite2", 1, 1, 0, 0, 0, 0, -1, 0, 0};
  });
  QTest::keyClick(Grid(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Answer("find", "kite"), nullptr);
  const struct {
    Qt::KeyboardModifiers held;
    QModelIndex found;
    const char* status;
  } steps[] = {
      {{}, At(299, kName), "Found at 299, NAME"},
      {{}, At(4, kName), "Found at 004, NAME"},  // from the last channel round
      {Qt::ShiftModifier, At(299, kName), "Found at 299, NAME"},
      {Qt::ShiftModifier, At(4, kName), "Found at 004, NAME"},
  };
  EXPECT_EQ(Grid()->currentIndex(), At(4, kName));
  EXPECT_EQ(feedback.statuses.last().toStdString(), "Found at 004, NAME");
  for (const auto& step : steps) {
    QTest::keyClick(Grid(), Qt::Key_F3, step.held);
    EXPECT_EQ(Grid()->currentIndex(), step.found) << step.status;
    EXPECT_EQ(feedback.statuses.last().toStdString(), step.status);
    EXPECT_TRUE(InSight(Grid()->currentIndex())) << step.status;
  }

  QTest::keyClick(Grid(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Answer("find", "433.92"), nullptr);
  EXPECT_EQ(Grid()->currentIndex(), At(4, kFrequency)) << "the text as shown";
  EXPECT_EQ(feedback.statuses.last().toStdString(), "Found at 004, Frequency");

  QTest::keyClick(Grid(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Answer("find", "433925000"), nullptr) << "the stored Hz text is not what is shown";
  EXPECT_EQ(feedback.statuses.last().toStdString(), "\"433925000\" not found");
  EXPECT_EQ(Grid()->currentIndex(), At(4, kFrequency));
  EXPECT_EQ(feedback.beeps, 1);
}

TEST_F(GridKeys, InACellEditorEnterStoresAndMovesDownTabRightToTheNextEditableCell) {
  document.Edit("setup", [](RadioConfig& record) {
    for (int channel = 1; channel <= 3; ++channel) {
      record.Channel(channel) = {1, "145500000", "A", 1, 3, 0, 0, 0, 0, -1, 0, 0};
    }
    record.Channel(2).ToneSelect = 1;  // TSQ: its tone can be edited
    record.Channel(2).TsqTone = 9;
  });
  // The cell edited (row, column), the keys typed and the key that ends the edit, and the cell
  // current afterwards.
  const struct {
    int row, column;
    QString keys;
    Qt::Key end;
    Qt::KeyboardModifiers held;
    int then_row, then_column;
    const char* what;
  } edits[] = {
      {0, kFrequency, "146.52x", Qt::Key_Return, {}, 1, kFrequency, "Enter: down, x refused"},
      {0, kName, "B", Qt::Key_Enter, Qt::KeypadModifier, 1, kName, "keypad Enter: down"},
      {0, kFrequency, "146.5", Qt::Key_Tab, {}, 0, kName, "Tab: right"},
      {0, kMode, "A", Qt::Key_Tab, {}, 0, kToneSelect, "Tab: right, from a list"},
      {0, kToneSelect, "V", Qt::Key_Tab, {}, 0, kStep, "Tab past the tones VFO keeps none of"},
      {1, kToneSelect, "T", Qt::Key_Tab, {}, 1, kTsq, "Tab to the tone TSQ keeps"},
      {0, kStep, "5", Qt::Key_Tab, {}, 1, kFrequency, "Tab from the last column into the next row"},
      {1, kFrequency, "146", Qt::Key_Backtab, Qt::ShiftModifier, 0, kStep,
       "Shift+Tab: into the row above"},
      {2, kFrequency, "146.00123", Qt::Key_Return, {}, 2, kFrequency, "refused: stays"},
      {2, kFrequency, "147", Qt::Key_Tab, {}, 2, kName, "a refusal past, Tab moves again"},
      {2, kName, "C", Qt::Key_Escape, {}, 2, kName, "Esc: stays"},
  };
  for (const auto& edit : edits) {
    Grid()->setCurrentIndex(At(edit.row, edit.column));
    ASSERT_TRUE(TypeIntoCell(edit.keys, edit.end, edit.held)) << edit.what;
    EXPECT_FALSE(Grid()->IsEditingCell()) << edit.what;
    EXPECT_EQ(Grid()->currentIndex(), At(edit.then_row, edit.then_column)) << edit.what;
  }
  EXPECT_EQ(document.Record().Channel(1).Frequency, "146500000");
  EXPECT_EQ(document.Record().Channel(1).Name, "B");
  EXPECT_EQ(document.Record().Channel(1).Mode, 3) << "AM";
  EXPECT_EQ(document.Record().Channel(2).Frequency, "146000000");
  EXPECT_EQ(document.Record().Channel(3).Frequency, "147000000");
  EXPECT_EQ(feedback.beeps, 2) << "the letter, and 146.00123 on no raster";
  EXPECT_EQ(document.Record().Channel(3).Name, "A") << "Esc";
  EXPECT_EQ(page.findChild<ChannelEditorDialog*>(), nullptr);

  QTest::keyClick(Grid(), Qt::Key_Return);  // not editing: the channel editor, as before
  auto* channel_editor = page.findChild<ChannelEditorDialog*>();
  ASSERT_NE(channel_editor, nullptr);
  EXPECT_EQ(channel_editor->Channel(), 3);
  channel_editor->close();
}

TEST_F(GridKeys, AFrequencyTypedIntoAnEmptyChannelIsStoredAtOnceWithItsBandsMode) {
  constexpr std::int16_t kFm = 1, kWfm = 2, kAm = 3;
  document.Edit("setup", [](RadioConfig& record) {
    record.Channel(4) = {1, "145500000", "A", kAm, 3, 0, 0, 0, 0, -1, 0, 0};
  });
  page.GridModel()->setData(page.GridModel()->index(2, kMode), kWfm);  // a draft
  const std::tuple<int, const char*, std::int16_t, const char*> typed[] = {
      {1, "118.1", kAm, "its band's"},
      {3, "145.5", kWfm, "the draft's mode"},
      {4, "146.52", kAm, "a programmed channel keeps its mode"},
      {5, "146.52", kFm, "elsewhere"}};
  for (const auto& [channel, mhz, mode, what] : typed) {
    Grid()->setCurrentIndex(At(channel - 1, kFrequency));
    ASSERT_TRUE(TypeIntoCell(mhz)) << what;
    EXPECT_EQ(document.Record().Channel(channel).Mode, mode) << what;
    EXPECT_EQ(document.Record().Channel(channel).Frequency,
              QString::number(QString(mhz).toDouble() * 1e6, 'f', 0).toStdString())
        << what;
  }
  EXPECT_FALSE(page.HasPendingChanges());
  EXPECT_EQ(feedback.beeps, 0);
}

TEST_F(GridKeys, TextWithoutAHeaderPastesByPositionFromTheCurrentCellAsOneStep) {
  document.Edit("setup", [](RadioConfig& record) {
    record.Channel(11) = {1, "145500000", "A", 1, 3, 1, 9, 0, 0, -1, 0, 0};  // FM, TSQ
    record.Channel(12) = {1, "118100000", "B", 3, 3, 0, 0, 0, 0, -1, 0, 0};  // AM, VFO
  });
  const RadioConfig before = document.Record();
  const struct {
    int column;
    const char* text;
    std::vector<std::pair<int, MemoryChannel>> stored;
    const char* listed;  // "" when the paste says only where it went
  } pastes[] = {
      {kFrequency,
       "146.52\n118.2\n88.1\n",
       {{11, {1, "146520000", "A", 1, 1, 1, 9, 0, 0, -1, 0, 0}},
        {12, {1, "118200000", "B", 3, 3, 0, 0, 0, 0, -1, 0, 0}},
        {13, {1, "88100000", "", 2, 3, 0, 0, 0, 0, -1, 0, 0}}},
       ""},
      {kName,
       "KITE\t\tREV TSQ\t\t67\nBOAT\tam\tVFO\t67\nNEW\n",
       {{11, {1, "145500000", "KITE", 1, 3, 2, 0, 1, 0, -1, 0, 0}},
        {12, {1, "118100000", "BOAT", 3, 3, 0, 0, 0, 0, -1, 0, 0}}},
       "Pasted into channels 010 to 012; these cells were left as they were:\n\n"
       "Channel 011, TSQ: TONE SELECT VFO keeps no TSQ value\n"
       "Channel 012, NAME: the channel is empty: it takes a Frequency first"},
      {kFrequency,
       "146.001\tX\tAM\t\t\t\t\t\t\t\t\t1\n",
       {{11, {1, "145500000", "X", 3, 3, 1, 9, 0, 0, -1, 0, 0}}},
       "Pasted into channel 010; these cells were left as they were:\n\n"
       "The cells right of the last column are not pasted.\n"
       "Channel 010, Frequency: 146.00100 MHz is on no tuning raster: 5, 6.25 or 8.33 kHz, or "
       "9 kHz for AM broadcast"},
  };
  for (const auto& paste : pastes) {
    document.Edit("reset", [&before](RadioConfig& record) { record = before; });
    const int steps = document.History().count();
    feedback.warnings.clear();
    Grid()->setCurrentIndex(At(10, paste.column));
    QGuiApplication::clipboard()->setText(paste.text);
    QTest::keyClick(Grid(), Qt::Key_V, Qt::ControlModifier);
    RadioConfig expected = before;
    for (const auto& [channel, stored] : paste.stored) expected.Channel(channel) = stored;
    EXPECT_EQ(document.Record(), expected) << paste.text;
    EXPECT_EQ(document.History().count(), steps + 1) << paste.text;
    EXPECT_EQ(feedback.warnings.value(0).section('|', 1).toStdString(), paste.listed);
  }
  document.History().undo();
  EXPECT_EQ(document.Record(), before);
}

TEST_F(GridKeys, CtrlEnterStoresTheTypedValueInEverySelectedRowThatTakesItAsOneStep) {
  document.Edit("setup", [](RadioConfig& record) {
    record.Channel(1) = {1, "145500000", "A", 1, 3, 1, 9, 0, 0, -1, 0, 0};  // FM, TSQ
    record.Channel(2) = {1, "118100000", "B", 3, 3, 0, 0, 0, 0, -1, 0, 0};  // AM, VFO
    record.Channel(4) = {1, "146000000", "D", 1, 3, 5, 0, 0, 5, 0, 0, 0};   // FM, DCS
  });
  const RadioConfig before = document.Record();
  const struct {
    int column;
    const char* keys;
    std::array<const char*, 4> shown;  // channels 1 to 4 afterwards
    QStringList listed;
  } fills[] = {
      {kName,
       "KITE",
       {"KITE", "KITE", "", "KITE"},
       {"Channel 002, NAME: the channel is empty: it takes a Frequency first"}},
      {kFrequency, "88.1", {"88.10000", "88.10000", "88.10000", "88.10000"}, {}},
  };
  for (const auto& fill : fills) {
    document.Edit("reset", [&before](RadioConfig& record) { record = before; });
    const int steps = document.History().count();
    feedback.warnings.clear();
    Grid()->SelectChannels(1, 4);
    Grid()->selectionModel()->setCurrentIndex(At(0, fill.column), QItemSelectionModel::NoUpdate);
    ASSERT_TRUE(TypeIntoCell(fill.keys, Qt::Key_Return, Qt::ControlModifier)) << fill.keys;
    EXPECT_FALSE(Grid()->IsEditingCell());
    for (int channel = 1; channel <= 4; ++channel) {
      EXPECT_EQ(Model::CellText(document.Record(), channel, fill.column).toStdString(),
                fill.shown[static_cast<std::size_t>(channel - 1)])
          << fill.keys << ", channel " << channel;
    }
    EXPECT_EQ(document.History().count(), steps + 1) << fill.keys;
    const QString listed = feedback.warnings.value(0).section("\n\n", 1);
    EXPECT_EQ(listed, fill.listed.join('\n')) << fill.keys;
  }
  // Undo and Redo select the channels they change.
  for (const bool undo : {true, false}) {
    Grid()->SelectChannel(9);
    undo ? document.History().undo() : document.History().redo();
    EXPECT_EQ(Grid()->SelectedChannels(), (std::vector<int>{1, 2, 3, 4})) << undo;
  }
  EXPECT_EQ(document.Record().Channel(3).Mode, 2) << "an empty channel takes its band's mode";
  EXPECT_EQ(document.Record().Channel(2).Mode, 3) << "a programmed one keeps its own";
  EXPECT_EQ(document.Record().Channel(2).Step, 3);
}

TEST_F(GridKeys, FillFrequenciesStepsThroughTheSelectedChannelsWithTheMode) {
  document.Edit("setup", [](RadioConfig& record) {
    record.Channel(12) = {1, "145500000", "B", 1, 3, 1, 9, 0, 0, -1, 0, 0};
  });
  const struct {
    const char* start;
    const char* step;
    const char* mode;  // the list's entry after the start was typed
    std::array<const char*, 3> stored;
    const char* listed;
  } fills[] = {
      {"118", "8.33", "AM", {"118000000", "118008334", "118016667"}, ""},
      {"88", "100", "WFM", {"88000000", "88100000", "88200000"}, ""},
      {"1299.99",
       "5",
       "FM",
       {"1299990000", "1299995000", ""},
       "Channel 012, Frequency: 1300.00000 MHz is outside the receiver's range, 0.10000 MHz to "
       "1299.99500 MHz\nChannel 012, Mode: the channel is empty: it takes a Frequency first"},
  };
  for (const auto& fill : fills) {
    page.ClearAllChannels();
    feedback.warnings.clear();
    Grid()->SelectChannels(11, 13);
    page.AskFillFrequencies();
    auto* dialog = page.findChild<FillFrequenciesDialog*>("fillFrequencies");
    ASSERT_NE(dialog, nullptr);
    dialog->StartField()->clear();
    QTest::keyClicks(dialog->StartField(), fill.start);
    dialog->StepField()->setText(fill.step);
    EXPECT_EQ(dialog->ModeList()->currentText().toStdString(), fill.mode) << fill.start;
    dialog->accept();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(page.findChild<FillFrequenciesDialog*>(), nullptr);
    for (int i = 0; i < 3; ++i) {
      const MemoryChannel& channel = document.Record().Channel(11 + i);
      EXPECT_EQ(channel.IsProgrammed() ? channel.Frequency : "", fill.stored[i]) << fill.start;
    }
    EXPECT_EQ(feedback.warnings.value(0).section("\n\n", 1).toStdString(), fill.listed);
  }
}

TEST_F(GridKeys, TheStepColumnOffersTheStepsOfTheFrequencyAndKeepsTheChosenOne) {
  document.Edit("setup", [](RadioConfig& record) {
    record.Channel(1) = {1, "118025000", "A", 3, 3, 0, 0, 0, 0, -1, 0, 0};  // AM, 8.33
    record.Channel(2) = {1, "118008334", "B", 3, 3, 0, 0, 0, 0, -1, 0, 0};  // AM, 8.33 only
  });
  const auto offered = [this](int channel) {
    Grid()->setCurrentIndex(At(channel - 1, kStep));
    QTest::keyClick(Grid(), Qt::Key_F2);
    auto* list = qobject_cast<QComboBox*>(Grid()->indexWidget(Grid()->currentIndex()));
    QStringList entries;
    for (int i = 0; list && i < list->count(); ++i) entries << list->itemText(i);
    return entries.join('|').toStdString();
  };
  const auto choose = [this](const char* keys) {
    QWidget* list = Grid()->indexWidget(Grid()->currentIndex());
    QTest::keyClicks(list, keys);
    QTest::keyClick(list, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
  };
  EXPECT_EQ(offered(1), "5|6.25|8.33");
  choose("5");
  EXPECT_EQ(document.Record().Channel(1).Step, 1);
  Grid()->setCurrentIndex(At(0, kName));
  ASSERT_TRUE(TypeIntoCell("X"));
  EXPECT_EQ(document.Record().Channel(1).Step, 1) << "kept while Frequency and Mode stay";
  page.GridModel()->setData(page.GridModel()->index(0, kMode), 1);
  EXPECT_EQ(document.Record().Channel(1).Step, 3) << "derived again with the mode";
  EXPECT_FALSE(page.GridModel()->setData(page.GridModel()->index(1, kStep), 2));
  EXPECT_EQ(feedback.statuses.last().toStdString(),
            "Channel 001 is not stored. STEP: 6.25 kHz is not a raster 118.00833 MHz lies on");
  EXPECT_EQ(Model::CellText(document.Record(), 3, kStep), "") << "empty";
}

TEST_F(GridKeys, ShortcutsInsertDeleteAndShiftUpAndMoveTheSelectedChannels) {
  document.Edit("setup", [](RadioConfig& record) {
    for (const auto& [channel, name] : {std::pair{1, "A"}, {2, "B"}, {3, "C"}, {5, "E"}}) {
      record.Channel(channel) = {1, "145500000", name, 1, 3, 0, 0, 0, 0, -1, 0, 0};
    }
  });
  const RadioConfig before = document.Record();
  const struct {
    int first, last;
    Qt::Key key;
    const char* shown;  // channels 1 to 7, "." for empty
  } keys[] = {
      {2, 2, Qt::Key_Delete, "AC..E.."},
      {2, 3, Qt::Key_Insert, "A..BC.E"},
      {2, 2, Qt::Key_Up, "BAC.E.."},
      {2, 2, Qt::Key_Down, "ACB.E.."},
  };
  for (const auto& key : keys) {
    document.Edit("reset", [&before](RadioConfig& record) { record = before; });
    const int steps = document.History().count();
    Grid()->SelectChannels(key.first, key.last);
    QTest::keyClick(Grid(), key.key, Qt::ControlModifier | Qt::ShiftModifier);
    std::string shown;
    for (int channel = 1; channel <= 7; ++channel) {
      const MemoryChannel& stored = document.Record().Channel(channel);
      shown += stored.IsProgrammed() ? stored.Name : ".";
    }
    EXPECT_EQ(shown, key.shown) << key.shown;
    EXPECT_EQ(document.History().count(), steps + 1) << key.shown;
  }
}

TEST_F(GridKeys, AHeadingClickSortsTheViewOnlyAndCommandsActOnExactlyTheSelectedChannels) {
  page.ClearAllChannels();
  document.Edit("setup", [](RadioConfig& record) {
    record.Channel(1) = {1, "146000000", "B", 1, 3, 0, 0, 0, 0, -1, 0, 0};
    record.Channel(3) = {1, "145000000", "a", 1, 3, 0, 0, 0, 0, -1, 0, 0};
    record.Channel(4) = {1, "118100000", "C", 3, 3, 0, 0, 0, 0, -1, 0, 0};
  });
  const int steps = document.History().count();
  QHeaderView* rows = Grid()->verticalHeader();
  const auto shown = [rows] {
    std::string order;
    for (int visual = 0; visual < 5; ++visual) order += std::to_string(rows->logicalIndex(visual));
    return order;
  };
  const auto click_heading = [this](int column) {
    QHeaderView* columns = Grid()->horizontalHeader();
    QTest::mouseClick(columns->viewport(), Qt::LeftButton, {},
                      QPoint(columns->sectionViewportPosition(column) + 5, 5));
  };
  const std::pair<int, const char*> clicks[] = {
      {kName, "20314"},       // a, B, C, then the empty channels
      {kName, "30214"},       // reversed
      {kFrequency, "32014"},  // by MHz
  };
  for (const auto& [column, order] : clicks) {
    click_heading(column);
    EXPECT_EQ(shown(), order);
  }
  EXPECT_EQ(document.History().count(), steps) << "not an edit";

  // Rows 3 and 0, next to each other as shown: Copy takes those two channels, not 1 to 4.
  Grid()->selectionModel()->select(QItemSelection(At(2, 0), At(2, 0)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  Grid()->selectionModel()->setCurrentIndex(
      At(0, kName), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QTest::keyClick(Grid(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().count('\n'), 3) << "the header and two rows";
  EXPECT_EQ(feedback.statuses.last(), "2 channels copied.");
  QTest::keyClick(Grid(), Qt::Key_Delete);
  EXPECT_FALSE(document.Record().Channel(1).IsProgrammed());
  EXPECT_FALSE(document.Record().Channel(3).IsProgrammed());
  EXPECT_TRUE(document.Record().Channel(2).IsProgrammed() ||
              document.Record().Channel(4).IsProgrammed());
  EXPECT_EQ(document.Record().Channel(4).Name, "C");
  document.History().undo();

  QTest::mouseClick(Grid()->findChild<QAbstractButton*>(), Qt::LeftButton);
  EXPECT_EQ(shown(), "01234") << "the corner gives back the channel order";

  page.ViewActions().front()->setChecked(true);
  EXPECT_TRUE(Grid()->isRowHidden(1));
  EXPECT_FALSE(Grid()->isRowHidden(0));
  // The filter holds through edits: a cleared channel hides, and shows again on Undo.
  Grid()->SelectChannel(1);
  QTest::keyClick(Grid(), Qt::Key_Delete);
  EXPECT_TRUE(Grid()->isRowHidden(0));
  document.History().undo();
  EXPECT_FALSE(Grid()->isRowHidden(0));
  QTest::keyClick(Grid(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(Answer("goToChannel", "001"), nullptr);
  EXPECT_FALSE(Grid()->isRowHidden(1)) << "going to a hidden channel shows them all";
  EXPECT_FALSE(page.ViewActions().front()->isChecked());

  click_heading(kName);
  Grid()->SelectChannel(1);
  QTest::keyClick(Grid(), Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(shown(), "01234");
  EXPECT_TRUE(feedback.statuses.contains("The grid shows every channel in channel order again."));
  EXPECT_EQ(document.Record().Channel(2).Name, "B");
}

TEST_F(GridKeys, ADraftIsMarkedBesideItsRedAndSaysWhatItLacks) {
  Model* model = page.GridModel();
  model->setData(model->index(5, kName), "A");
  const struct {
    int row;
    const char* number;
    const char* note;
  } rows[] = {{5, "005 *", "Channel 005 is not stored yet: it needs a frequency and a mode."},
              {6, "006", ""}};
  for (const auto& row : rows) {
    EXPECT_EQ(model->headerData(row.row, Qt::Vertical).toString().toStdString(), row.number);
    EXPECT_EQ(model->headerData(row.row, Qt::Vertical, Qt::ToolTipRole).toString().toStdString(),
              row.note);
    EXPECT_EQ(model->index(row.row, kName).data(Qt::ToolTipRole).toString().toStdString(),
              row.note);
  }
}

}  // namespace
}  // namespace kestrel::ui
