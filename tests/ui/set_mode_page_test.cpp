#include "ui/set_mode_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "model/defaults.h"
#include "ui/change_colors.h"
#include "ui/document.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

struct SetModePageTest : ::testing::Test {
  Document document;
  SetModePage page{document, nullptr};
};

TEST_F(SetModePageTest, ShowsEveryFunctionWithItsList) {
  EXPECT_EQ(page.FunctionLabel(34)->text(), "ADJUST");
  EXPECT_EQ(page.List(1)->currentText(), "1   M");  // the default "F STEP"
  EXPECT_EQ(page.List(22)->count(), 56);
  for (const int function : {0, 1, 22}) {  // named by the caption, not by the value shown
    EXPECT_EQ(page.List(function)->accessibleName(), page.FunctionLabel(function)->text());
  }
  for (int hidden : {12, 13, 14, 15, 29, 34}) {
    EXPECT_EQ(page.List(hidden)->count(), 0) << hidden;
    EXPECT_TRUE(page.List(hidden)->isHidden()) << hidden;
  }
  EXPECT_FALSE(page.SetButton()->isEnabled());
}

TEST_F(SetModePageTest, AChoiceMarksItsNameAndClearShowsTheRecordAgain) {
  QComboBox* lamp = page.List(fn::kLamp);  // stored 2 ("AUTO")
  QTest::keyClick(lamp, Qt::Key_Up);
  EXPECT_EQ(lamp->currentIndex(), 1);
  EXPECT_EQ(TextColor(page.FunctionLabel(fn::kLamp)), kChangedColor);
  // More than colour: italics and a note say that the value waits.
  EXPECT_TRUE(page.FunctionLabel(fn::kLamp)->font().italic());
  EXPECT_EQ(page.FunctionLabel(fn::kLamp)->toolTip(), WaitingForSetNote());
  EXPECT_EQ(TextColor(page.FunctionLabel(fn::kStep)), testing::ThemeTextColor());
  EXPECT_TRUE(page.ClearButton()->isEnabled());
  // Back to the stored value: black again, the buttons stay enabled.
  QTest::keyClick(lamp, Qt::Key_Down);
  EXPECT_EQ(TextColor(page.FunctionLabel(fn::kLamp)), testing::ThemeTextColor());
  EXPECT_FALSE(page.FunctionLabel(fn::kLamp)->font().italic());
  EXPECT_TRUE(page.FunctionLabel(fn::kLamp)->toolTip().isEmpty());
  EXPECT_TRUE(page.SetButton()->isEnabled());

  QTest::keyClick(page.List(fn::kStep), Qt::Key_Down);
  QTest::keyClick(page.List(fn::kBeep), Qt::Key_Up);
  QTest::mouseClick(page.ClearButton(), Qt::LeftButton);
  EXPECT_EQ(page.List(fn::kStep)->currentIndex(), 0);
  EXPECT_EQ(page.List(fn::kBeep)->currentIndex(), 1);
  EXPECT_EQ(TextColor(page.FunctionLabel(fn::kStep)), testing::ThemeTextColor());
  EXPECT_FALSE(page.SetButton()->isEnabled());
  EXPECT_FALSE(document.IsModified());

  // Unchanged names follow a dark theme; a changed one stays red.
  QTest::keyClick(lamp, Qt::Key_Up);
  QPalette dark;
  dark.setColor(QPalette::Text, Qt::white);
  page.setPalette(dark);
  EXPECT_EQ(TextColor(page.FunctionLabel(fn::kStep)), QColor(Qt::white));
  EXPECT_EQ(TextColor(page.FunctionLabel(fn::kLamp)), kChangedColor);
}

TEST_F(SetModePageTest, SetStoresTheListsAndKeepsTheHiddenValues) {
  RadioConfig record = NewConfiguration();
  record.SetMode[fn::kSearchMemory] = 5;
  record.SetMode[fn::kVolt] = -1;
  record.SetMode[fn::kAdjust] = 2;
  record.SetMode[fn::kTimer] = 99;  // no such entry: the list stays unselected
  document.Replace(record, {});
  EXPECT_EQ(page.List(fn::kTimer)->currentIndex(), -1);

  QTest::keyClick(page.List(fn::kStep), Qt::Key_Down);
  QTest::mouseClick(page.SetButton(), Qt::LeftButton);
  record.SetMode[fn::kStep] = 1;
  EXPECT_EQ(document.Record().SetMode, record.SetMode) << "hidden and unlisted values are kept";
  EXPECT_EQ(TextColor(page.FunctionLabel(fn::kStep)), testing::ThemeTextColor());
  EXPECT_FALSE(page.SetButton()->isEnabled());
  EXPECT_TRUE(document.IsModified());
}

TEST_F(SetModePageTest, AnUndoShowsTheRecordAgainButKeepsAPendingChoice) {
  document.Edit("lamp and beep", [](RadioConfig& record) {
    record.SetMode[fn::kLamp] = 0;
    record.SetMode[fn::kBeep] = 0;
  });
  EXPECT_EQ(page.List(fn::kBeep)->currentIndex(), 0);
  QTest::keyClick(page.List(fn::kLamp), Qt::Key_Down);
  document.History().undo();
  EXPECT_EQ(page.List(fn::kBeep)->currentIndex(), 1) << "the record's value again";
  EXPECT_EQ(page.List(fn::kLamp)->currentIndex(), 1) << "the user's choice stays";
  EXPECT_TRUE(page.HasPendingChanges());
}

}  // namespace
}  // namespace kestrel::ui
