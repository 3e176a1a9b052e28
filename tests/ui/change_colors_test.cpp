#include "ui/change_colors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

namespace kestrel::ui {
namespace {

TEST(ChangeColors, AFieldCarriesItsMark) {
  QLineEdit field;
  SetTextColor(&field, kChangedColor);
  EXPECT_EQ(TextColor(&field), QColor(255, 0, 0));
  SetTextColor(&field, kUnchangedColor);
  EXPECT_EQ(TextColor(&field), QColor(0, 0, 0));
}

}  // namespace
}  // namespace kestrel::ui
