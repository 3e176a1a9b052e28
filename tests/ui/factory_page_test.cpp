#include "ui/factory_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "model/defaults.h"
#include "ui/change_colors.h"
#include "ui/document.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

TEST(FactoryPage, NumberFieldsKeepTheirRangesAndTurnRed) {
  Document document;
  FactoryPage page(document, nullptr);
  EXPECT_EQ(page.SqlField(0)->text(), "9664");
  EXPECT_EQ(page.TrainTimeField()->text(), "1000");
  // Levels hold whole numbers from 0 to 65535; the train time stays within 1 and 5000.
  const std::tuple<QLineEdit*, const char*, const char*> rows[] = {
      {page.SqlField(0), "70000", "65535"}, {page.SMeterField(3), "-5", "0"},
      {page.SMeterField(3), "12.5", "12"},  {page.SMeterField(3), "x7", "0"},
      {page.TrainTimeField(), "", "1"},     {page.TrainTimeField(), "9000", "5000"},
      {page.TrainTimeField(), "12a", "12a"}};  // reads as 12: kept as typed
  for (const auto& [field, typed, shown] : rows) {
    page.ResetColors();
    field->setText(typed);
    EXPECT_EQ(field->text(), shown) << typed;
    EXPECT_EQ(TextColor(field), QColor(255, 0, 0)) << typed;
  }
  // The rule runs on every keystroke, so a typed "." goes at once.
  page.SqlField(0)->clear();
  QTest::keyClicks(page.SqlField(0), "12.");
  EXPECT_EQ(page.SqlField(0)->text(), "12");
}

TEST(FactoryPage, SetStoresEveryFieldAndKeepsValuesOutsideTheLists) {
  Document document;
  RadioConfig record = NewConfiguration();
  record.Factory.PwmAm[1] = 300;  // not in its list: left unselected and kept
  document.Replace(record, {});
  FactoryPage page(document, nullptr);
  page.FixCountList(2)->setCurrentIndex(4);
  page.SqlField(5)->setText("1234");
  page.TrainTimeField()->setText("250");
  QTest::mouseClick(page.SetButton(), Qt::LeftButton);
  record.Factory.FixCount[2] = 5;
  record.Factory.SqlLevel[5] = 1234;
  record.Factory.TrainFixTime = 250;
  EXPECT_EQ(document.Record(), record);
  EXPECT_TRUE(document.IsModified());
  for (QWidget* field : page.Fields()) EXPECT_EQ(TextColor(field), testing::ThemeTextColor());
}

}  // namespace
}  // namespace kestrel::ui
