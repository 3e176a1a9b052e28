// The user guide, and what the window says and names for users who do not watch colours and
// bars: accessible names, status bar confirmations.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "ui/channel_editor_dialog.h"
#include "ui/main_window.h"
#include "ui/several_receivers_dialog.h"
#include "ui/transfer_dialog.h"
#include "ui/user_guide.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

struct HelpTest : testing::WindowTest {
  QAction* HelpItem(const QString& caption) const {
    for (QAction* menu : window->menuBar()->actions()) {
      if (menu->text() != "&Help") continue;
      for (QAction* item : menu->menu()->actions()) {
        if (item->text() == caption) return item;
      }
    }
    return nullptr;
  }
};

TEST(UserGuide, IsTheReadmeSectionOnUsingTheWindow) {
  QFile readme_file(QStringLiteral(KESTREL_README));
  ASSERT_TRUE(readme_file.open(QIODevice::ReadOnly));
  const QString readme = QString::fromUtf8(readme_file.readAll());
  const QString guide = UserGuideText();

  ASSERT_TRUE(guide.startsWith("## Using the window\n")) << guide.left(80).toStdString();
  const auto at = readme.indexOf(guide);
  ASSERT_GE(at, 0) << "the guide is not the README's text";
  EXPECT_TRUE(readme.mid(at + guide.size()).startsWith("## "))
      << "it stops before the section ends";
  EXPECT_FALSE(guide.mid(3).contains("\n## ")) << "it runs on into the next section";
}

// Help > User Guide and the HELP button of both transfer dialogs show the guide, without
// blocking: one viewer for each window, which a second request brings back.
TEST_F(HelpTest, TheHelpMenuAndTheTransferDialogsHelpShowTheGuide) {
  QAction* item = HelpItem("&User Guide");
  ASSERT_TRUE(item);
  item->trigger();
  item->trigger();
  const auto guides = window->findChildren<UserGuideDialog*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_EQ(guides.size(), 1);
  EXPECT_TRUE(guides[0]->isVisible() && !guides[0]->isModal());
  EXPECT_TRUE(guides[0]->Browser()->toPlainText().startsWith("Using the window"));
  guides[0]->close();

  // Both kinds of transfer dialog share the one HELP button.
  window->StartProgram();
  TransferDialog* dialog = window->OpenTransferDialog();
  ASSERT_TRUE(dialog);
  QTest::mouseClick(dialog->HelpButton(), Qt::LeftButton);
  auto* guide = dialog->findChild<UserGuideDialog*>();
  ASSERT_TRUE(guide);
  EXPECT_TRUE(guide->isVisible());
  EXPECT_EQ(guide->Browser()->toPlainText(), UserGuideDialog(nullptr).Browser()->toPlainText());
  dialog->reject();
}

// What a screen reader says for each field, list, grid and progress bar of `window`, with the
// class of each: every one is named, and no two alike (lists named by their values would be).
std::map<QString, QString> NamesIn(QWidget* window) {
  std::map<QString, QString> names;
  QList<QWidget*> fields;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
        qobject_cast<QProgressBar*>(widget) || qobject_cast<QAbstractItemView*>(widget)) {
      fields << widget;
    }
  }
  for (QWidget* field : fields) {
    // A list's own popup and a grid's headings are parts of the list or the grid.
    bool part = qobject_cast<QHeaderView*>(field) != nullptr;
    for (QWidget* up = field->parentWidget(); up && up != window; up = up->parentWidget()) {
      part = part || qobject_cast<QComboBox*>(up) || up->inherits("QComboBoxPrivateContainer");
    }
    if (part) continue;
    const QString name = field->accessibleName();
    EXPECT_FALSE(name.isEmpty()) << field->metaObject()->className() << " "
                                 << field->objectName().toStdString() << " has no name";
    EXPECT_FALSE(names.contains(name)) << name.toStdString() << " names two fields";
    names[name] = field->metaObject()->className();
  }
  return names;
}

TEST_F(HelpTest, EveryFieldListGridAndBarIsNamedAfterItsCaptions) {
  const auto main = NamesIn(window.get());
  for (const char* name : {"Memory", "Search Band Memory", "Low Frequency", "Upper Frequency",
                           "SQL Setting, WFM, Tight", "Bar Antenna PWM Data, SW, f4, PWM Data",
                           "TSQ Fix Count, TSQ-Search, OFF", "TRAIN Tone Fix, OFF Time"}) {
    EXPECT_TRUE(main.contains(name)) << name;
  }

  ChannelEditorDialog editor(window->Doc(), 1, window.get());
  const auto editor_names = NamesIn(&editor);
  for (const char* name : {"Frequency", "NAME", "TONE SELECT", "R TSQ", "V.INV", "TRAIN"}) {
    EXPECT_TRUE(editor_names.contains(name)) << name;
  }

  window->StartRead();
  ASSERT_TRUE(window->OpenTransferDialog());
  EXPECT_EQ(window->OpenTransferDialog()->ProgressBar()->accessibleName(), "Transfer progress");
  window->OpenTransferDialog()->reject();

  window->StartProgramSeveral();
  ASSERT_TRUE(window->OpenSeveralDialog());
  const auto several = NamesIn(window->OpenSeveralDialog());
  EXPECT_TRUE(several.contains("COM 1 progress")) << several.begin()->first.toStdString();
}

}  // namespace
}  // namespace kestrel::ui
