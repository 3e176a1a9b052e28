#include <gtest/gtest.h>

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "ui/change_colors.h"
#include "ui/channel_editor_dialog.h"
#include "ui/document.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_grid_view.h"
#include "ui/memory_page.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

constexpr int kFm = 1, kAm = 3;

// An editor opened on a channel of the Memory page, with handles on its controls.
class Editor : public testing::MemoryPageTest {
 protected:
  void Open(int channel) {
    editor_ = page.OpenChannelEditor(channel);
    const auto list = [this](const char* object) { return editor_->findChild<QComboBox*>(object); };
    frequency = editor_->findChild<QLineEdit*>("txtMemoryFreq");
    name = editor_->findChild<QLineEdit*>("txtMemName");
    mode = list("cmbMemorymode");
    tone_select = list("cmbSelect");
    tsq = list("cmbTSQ");
    rev_tsq = list("cmbRTSQ");
    dcs = list("cmbDCS");
    rev_dcs = list("cmbDCSC");
    scrambler = list("cmbScalr");
    train = list("cmbTrain");
    set = editor_->findChild<QPushButton*>("cmdMemdataSet");
    clear = editor_->findChild<QPushButton*>("cmdMemDataclear");
  }
  // Types `text` character by character, as a keyboard of any language would.
  static void Type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(field, &press);
    }
  }
  static void Leave(QWidget* field) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
  }
  void Enter(const QString& mhz) {
    frequency->setText(mhz);
    Leave(frequency);
  }
  bool Closed() const {
    const QWidget* editor = editor_.data();
    return editor == nullptr || !editor->isVisible();
  }
  // Blank fields, tone select VFO with no tone list, nothing marked.
  bool ShowsEmpty() const {
    return (frequency->text() + name->text() + mode->currentText()).isEmpty() &&
           tone_select->currentText() == "VFO" && EnabledToneLists().isEmpty() &&
           RedFields().isEmpty();
  }
  QList<QComboBox*> EnabledToneLists() const {
    QList<QComboBox*> enabled;
    for (QComboBox* list : {tsq, rev_tsq, dcs, rev_dcs, scrambler, train}) {
      if (list->isEnabled()) enabled << list;
    }
    return enabled;
  }
  QList<QWidget*> RedFields() const {
    QList<QWidget*> red;
    for (QWidget* field : std::initializer_list<QWidget*>{
             frequency, name, mode, tone_select, tsq, rev_tsq, dcs, rev_dcs, scrambler, train}) {
      if (TextColor(field) == kChangedColor) red << field;
    }
    return red;
  }
  const MemoryChannel& Stored(int channel) { return document.Record().Channel(channel); }
  void Change(int channel, const std::function<void(MemoryChannel&)>& change) {
    document.Edit("test", [&](RadioConfig& record) { change(record.Channel(channel)); });
  }
  QString GridText(int channel, int column) {
    return page.GridModel()->index(channel - 1, column).data().toString();
  }

  QPointer<ChannelEditorDialog> editor_;
  QLineEdit *frequency = nullptr, *name = nullptr;
  QComboBox *mode = nullptr, *tone_select = nullptr, *tsq = nullptr, *rev_tsq = nullptr,
            *dcs = nullptr, *rev_dcs = nullptr, *scrambler = nullptr, *train = nullptr;
  QPushButton *set = nullptr, *clear = nullptr;
};

TEST_F(Editor, OpensOnAnEmptyChannelAndStoresANewOneOnlyWithFrequencyAndMode) {
  Open(1);
  EXPECT_EQ(editor_->findChild<QLabel*>("lblMemNo")->text(), "000");
  EXPECT_TRUE(ShowsEmpty());

  Enter("145.5");
  EXPECT_EQ(frequency->text(), "145.50000");
  EXPECT_EQ(RedFields(), QList<QWidget*>{frequency});
  mode->setCurrentIndex(kFm);
  set->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(Stored(1), (MemoryChannel{1, "145500000", "", kFm, 3, 0, 0, 0, 0, -1, 0, 0}));
  EXPECT_EQ(GridText(1, MemoryGridModel::kModeColumn), "FM");
  EXPECT_TRUE(document.IsModified());
}

TEST_F(Editor, ARefusedSetKeepsOnlyTheDerivedStep) {
  Open(3);
  Enter("146.00625");
  mode->setCurrentIndex(kFm);
  tone_select->setCurrentIndex(1);  // TSQ
  tsq->setCurrentIndex(0);
  set->click();
  EXPECT_EQ(feedback.statuses,
            QStringList{"Channel 002 is not stored. TSQ: tone select TSQ needs a tone"});
  EXPECT_FALSE(Closed());
  EXPECT_EQ(Stored(3), (MemoryChannel{0, "", "", 0, 2, 0, 0, 0, 0, 0, 0, 0}))
      << "nothing else is stored";
}

TEST_F(Editor, ToneSelectionEnablesItsListsWithDefaults) {
  Change(5, [](MemoryChannel& c) { c = {1, "145500000", "", kFm, 3, 1, 13, 0, 0, -1, 0, 0}; });
  Open(5);
  EXPECT_EQ(EnabledToneLists(), QList<QComboBox*>{tsq});
  EXPECT_EQ(tsq->currentText(), "100.0");

  const std::tuple<int, QComboBox*, const char*> choices[] = {
      {2, rev_tsq, " 88.5"}, {3, train, "2280"}, {4, scrambler, "3300"}};
  for (const auto& [choice, list, shown] : choices) {
    tone_select->setCurrentIndex(choice);
    EXPECT_EQ(EnabledToneLists(), QList<QComboBox*>{list}) << choice;
    EXPECT_EQ(list->currentText(), shown);
  }

  // Last stored with another tone selection: R DCS is blank and must be chosen.
  tone_select->setCurrentIndex(5);
  EXPECT_EQ(EnabledToneLists(), (QList<QComboBox*>{dcs, rev_dcs}));
  EXPECT_EQ(dcs->currentText(), "023");
  EXPECT_EQ(rev_dcs->currentIndex(), 0);
  rev_dcs->setCurrentIndex(2);  // REV
  set->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(Stored(5), (MemoryChannel{1, "145500000", "", kFm, 3, 5, 0, 0, 1, 1, 0, 0}));

  // A stored "NORMAL" comes back as "NORMAL" on a change to DCS.
  Change(5, [](MemoryChannel& c) { c.RevDcs = c.ToneSelect = 0; });
  Open(5);
  tone_select->setCurrentIndex(5);
  EXPECT_EQ(rev_dcs->currentText(), "NORMAL");
}

TEST_F(Editor, FrequencyFieldTakesOnlyDigitsAndPointWithinTheRange) {
  Open(801);
  EXPECT_EQ(frequency->text(), "6.03000");
  frequency->setFocus();
  frequency->end(false);
  QTest::keyClick(frequency, Qt::Key_A);
  QTest::keyClick(frequency, Qt::Key_Space);
  EXPECT_EQ(feedback.beeps, 2);
  QTest::keyClick(frequency, Qt::Key_Backspace);
  QTest::keyClick(frequency, Qt::Key_5);
  EXPECT_EQ(frequency->text(), "6.03005");
  EXPECT_TRUE(RedFields().isEmpty()) << "marked when applied, not while typing";

  frequency->setText("1300");
  QTest::keyClick(frequency, Qt::Key_Return);
  EXPECT_EQ(frequency->text(), "1299.99500");
  EXPECT_EQ(feedback.beeps, 3);
  EXPECT_FALSE(Closed());
}

TEST_F(Editor, NameKeepsItsCaseAndRefusesWhatTheReceiverCannotHold) {
  Open(801);
  EXPECT_EQ(name->text(), "VOA");
  name->setText(" voa ");
  Leave(name);
  EXPECT_TRUE(RedFields().isEmpty()) << "another case or blanks around it is no change";
  name->setText("");
  Type(name, QString::fromUtf8("é€Ж"));  // Cyrillic is not Windows-1252
  EXPECT_EQ(name->text(), QString::fromUtf8("é€"));
  EXPECT_EQ(feedback.beeps, 1);
  Type(name, "abcde");
  EXPECT_EQ(name->text(), QString::fromUtf8("é€abcd"));
  name->setText("voa");
  set->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(Stored(801).Name, "voa");
}

TEST_F(Editor, ClearEmptiesTheChannelAndShowsItEmptyAndEnterPressesTheFocusedButton) {
  Open(859);
  Enter("7.5");
  name->setText("NEW");
  Leave(name);
  mode->setCurrentIndex(kFm);
  tone_select->setCurrentIndex(1);
  EXPECT_EQ(RedFields().size(), 5);
  mode->showPopup();  // opening a list takes its mark away until the next check
  EXPECT_EQ(TextColor(mode), testing::ThemeTextColor());
  mode->hidePopup();
  QTest::keyClick(clear, Qt::Key_Return);
  EXPECT_TRUE(ShowsEmpty());
  EXPECT_FALSE(set->isEnabled());
  EXPECT_FALSE(Closed());
  EXPECT_EQ(Stored(859).InUse, 0);
  EXPECT_EQ(Stored(859).Frequency, "6090000");
  EXPECT_EQ(GridText(859, MemoryGridModel::kFrequencyColumn), "") << "no longer programmed";
  EXPECT_TRUE(document.IsModified());

  Enter("6.09");
  mode->setCurrentIndex(kAm);
  QTest::keyClick(set, Qt::Key_Enter);
  EXPECT_TRUE(Closed());
}

TEST_F(Editor, OnlyAChangeModifiesTheDocumentAndClosingStoresNothing) {
  Open(801);
  set->click();  // a preset channel gains RevDcs -1, as every channel the editor stores
  EXPECT_EQ(Stored(801).RevDcs, -1);
  EXPECT_TRUE(document.IsModified());
  document.MarkSaved("a.dat");
  Open(801);
  set->click();
  EXPECT_TRUE(Closed());
  EXPECT_FALSE(document.IsModified());

  const RadioConfig before = document.Record();
  Open(801);
  Enter("7.5");
  editor_->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(editor_.isNull());
  EXPECT_EQ(document.Record(), before);
  EXPECT_FALSE(document.IsModified());
}

// A channel entered in the grid's cells, or pasted, is the channel the editor's Set stores.
TEST_F(Editor, GridCellsAndPasteStoreWhatTheEditorStores) {
  MemoryGridModel* grid = page.GridModel();
  const auto cell = [grid](int channel, int column, const QVariant& value) {
    return grid->setData(grid->index(channel - 1, column), value);
  };
  // Snapped to the aviation raster with TSQ's default tone; a derived step with TRAIN's.
  const std::tuple<const char*, int, int> entries[] = {{"118.00833", kAm, 1},
                                                       {"146.00625", kFm, 3}};
  for (const auto& [mhz, mode_position, tone] : entries) {
    page.ClearAllChannels();
    Open(10);
    Enter(mhz);
    mode->setCurrentIndex(mode_position);
    tone_select->setCurrentIndex(tone);
    set->click();
    ASSERT_TRUE(Closed()) << mhz;

    EXPECT_TRUE(cell(20, MemoryGridModel::kFrequencyColumn, mhz));
    cell(20, MemoryGridModel::kModeColumn, mode_position);
    cell(20, MemoryGridModel::kToneSelectColumn, tone);
    EXPECT_EQ(Stored(20), Stored(10)) << mhz;
    EXPECT_FALSE(page.HasPendingChanges());

    page.Grid()->SelectChannel(10);
    page.CopySelectedChannels();
    page.Grid()->SelectChannel(30);
    page.PasteChannels();
    EXPECT_EQ(Stored(30), Stored(10)) << mhz;
  }
}

}  // namespace
}  // namespace kestrel::ui
