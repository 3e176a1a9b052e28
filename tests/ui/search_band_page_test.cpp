#include "ui/search_band_page.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "ui/change_colors.h"
#include "ui/document.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

using testing::RecordingFeedback;

class SearchBandPageTest : public ::testing::Test {
 protected:
  SearchBandPageTest() : page(document, nullptr) {
    page.resize(800, 640);
    page.show();
  }

  void ClickRow(int band, Qt::KeyboardModifiers modifiers = {}) {
    QTableWidget* grid = page.Grid();
    const QRect cell = grid->visualItemRect(grid->item(band, SearchBandPage::kLowColumn));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
  }

  static void Enter(QLineEdit* field, const QString& text) {
    field->clear();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }

  QColor CellColor(int band, int column) const {
    const QVariant brush = page.Grid()->item(band, column)->data(Qt::ForegroundRole);
    return brush.isValid() ? brush.value<QBrush>().color() : testing::ThemeTextColor();
  }
  QString Cell(int band, int column) const { return page.Grid()->item(band, column)->text(); }

  RecordingFeedback feedback;
  Document document;
  SearchBandPage page;
};

TEST_F(SearchBandPageTest, ListsTheBandsAndAClickOpensTheRowButCtrlClickOnlyShowsTheBox) {
  ClickRow(23, Qt::ControlModifier);
  EXPECT_EQ(feedback.informations, QStringList{"Kestrel Programming Tool|Ctrl Key + LeftClick"});
  EXPECT_TRUE(page.EditFrame()->isHidden());
  ClickRow(23, Qt::ControlModifier | Qt::ShiftModifier);  // not Ctrl alone: an ordinary click
  EXPECT_EQ(feedback.informations.size(), 1);
  EXPECT_FALSE(page.EditFrame()->isHidden());
  // The frame shows the row as the grid lists it.
  EXPECT_EQ(page.LowBandLabel()->text() + page.UpperBandLabel()->text(), "L--L--");
  EXPECT_EQ(page.LowField()->text() + " " + page.UpperField()->text(), "0.10000 1299.99500");
}

TEST_F(SearchBandPageTest, TheGridShowsItsHeadingsWholeAndTheFrameFollowsTheCurrentRow) {
  QTableWidget* grid = page.Grid();
  EXPECT_TRUE(grid->isColumnHidden(1)) << "the spacer column";
  for (const int column : {0, 2, 3}) {
    EXPECT_GE(grid->columnWidth(column), grid->horizontalHeader()->sectionSizeHint(column));
  }
  EXPECT_LT(page.ReadButton()->x(), page.WriteButton()->x()) << "Read | Write, as on every page";

  ClickRow(3);
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(page.LowBandLabel()->text(), "L04");
  EXPECT_EQ(page.UpperField()->text(), Cell(4, 3));

  // From the keyboard alone: Enter on a row puts its lower limit up for typing over, and
  // leaving the field applies it.
  page.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(page.LowBandLabel()->text(), "L05");
  EXPECT_TRUE(page.LowField()->hasFocus());
  EXPECT_EQ(page.LowField()->selectedText(), Cell(5, 2));
  page.LowField()->setText("118");
  page.UpperField()->setFocus();
  EXPECT_EQ(Cell(5, 2), "118.00000");
  EXPECT_EQ(feedback.beeps, 0);
}

TEST_F(SearchBandPageTest, TypedLimitsAreFilteredClampedAndMarked) {
  ClickRow(3);
  Enter(page.UpperField(), "2000");
  EXPECT_EQ(feedback.beeps, 1);  // Enter applies the field and beeps
  EXPECT_EQ(page.UpperField()->text(), "1299.99500");
  EXPECT_EQ(CellColor(3, 3), testing::ThemeTextColor());  // the same number as stored
  Enter(page.UpperField(), "500");
  EXPECT_EQ(CellColor(3, 3), QColor(255, 0, 0));
  EXPECT_TRUE(page.SetButton()->isEnabled());
  EXPECT_FALSE(page.ClearButton()->isEnabled()) << "an upper change alone enables only Set";

  Enter(page.LowField(), "7");
  EXPECT_EQ(Cell(3, 2), "7.00000");
  EXPECT_EQ(CellColor(3, 2), kChangedColor);
  EXPECT_TRUE(page.Grid()->item(3, 2)->font().italic());
  EXPECT_EQ(page.Grid()->item(3, 2)->toolTip(), WaitingForSetNote());
  EXPECT_TRUE(page.ClearButton()->isEnabled());
  Enter(page.LowField(), "0.1");
  EXPECT_EQ(CellColor(3, 2), kChangedColor);  // stays red until Set or Clear

  // Letters and other characters are refused with a beep; "." passes.
  const int beeps = feedback.beeps;
  page.LowField()->clear();
  QTest::keyClicks(page.LowField(), "1a2.5-");
  EXPECT_EQ(page.LowField()->text(), "12.5");
  EXPECT_EQ(feedback.beeps, beeps + 2);
}

TEST_F(SearchBandPageTest, SetRefusesABandWhoseUpperLimitIsNotAboveAndClearDropsTheEdits) {
  ClickRow(4);
  Enter(page.LowField(), "300");
  Enter(page.UpperField(), "300");
  QTest::mouseClick(page.SetButton(), Qt::LeftButton);
  EXPECT_FALSE(page.EditFrame()->isHidden());
  EXPECT_EQ(CellColor(4, 2), kChangedColor);
  EXPECT_FALSE(document.IsModified());

  Enter(page.UpperField(), "400");
  QTest::mouseClick(page.SetButton(), Qt::LeftButton);
  EXPECT_EQ(document.Record().Band(4), (SearchBand{"300.00000", "400.00000"}));
  EXPECT_TRUE(page.EditFrame()->isHidden());
  EXPECT_EQ(CellColor(4, 2), testing::ThemeTextColor());
  EXPECT_TRUE(document.IsModified());

  ClickRow(1);
  Enter(page.LowField(), "50");
  QTest::mouseClick(page.ClearButton(), Qt::LeftButton);
  EXPECT_EQ(Cell(1, 2), "0.10000");
  EXPECT_EQ(CellColor(1, 2), testing::ThemeTextColor());
  EXPECT_FALSE(page.SetButton()->isEnabled());
  EXPECT_FALSE(page.ClearButton()->isEnabled());
  EXPECT_EQ(document.Record().Band(1).LowFrequency, "0.10000");
}

}  // namespace
}  // namespace kestrel::ui
