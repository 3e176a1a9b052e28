// The user guide, and what the window says and names for users who do not watch colours and
// bars: accessible names, status bar confirmations.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "ui/main_window.h"
#include "ui/transfer_dialog.h"
#include "ui/user_guide.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

using testing::FakeRadioJobs;
using testing::MemoryStorage;
using testing::RecordingFeedback;

class HelpTest : public ::testing::Test {
 protected:
  HelpTest() {
    window = std::make_unique<MainWindow>(
        jobs, storage,
        MainWindowSetup{folder.filePath("Heron.ini"), folder.path(), false, QString(), QString()});
    window->show();
  }

  QAction* HelpItem(const QString& caption) const {
    for (QAction* menu : window->menuBar()->actions()) {
      if (menu->text() != "&Help") continue;
      for (QAction* item : menu->menu()->actions()) {
        if (item->text() == caption) return item;
      }
    }
    return nullptr;
  }

  QTemporaryDir folder;
  RecordingFeedback feedback;
  FakeRadioJobs jobs;
  MemoryStorage storage;
  std::unique_ptr<MainWindow> window;
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

  for (const bool read : {true, false}) {
    SCOPED_TRACE(read ? "read" : "program");
    if (read) {
      window->StartRead();
    } else {
      window->StartProgram();
    }
    TransferDialog* dialog = window->OpenTransferDialog();
    ASSERT_TRUE(dialog);
    QTest::mouseClick(dialog->HelpButton(), Qt::LeftButton);
    auto* guide = dialog->findChild<UserGuideDialog*>();
    ASSERT_TRUE(guide);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->Browser()->toPlainText(), UserGuideDialog(nullptr).Browser()->toPlainText());
    dialog->reject();
  }
}

}  // namespace
}  // namespace kestrel::ui
