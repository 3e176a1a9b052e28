// Every read the window makes is kept as a backup; File > "Receiver Backups..." lists them and
// opens one as a new document.
#include "ui/backups_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "image/image_map.h"
#include "model/defaults.h"
#include "support/temp_files.h"
#include "ui/compare_dialog.h"
#include "ui/main_window.h"
#include "ui/transfer_dialog.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

using namespace std::chrono;

// A read's image whose bitmap marks the channels of `bits` (1 to 8) in use, and a record with
// those channels and `step`.
MemoryImage ReadImage(std::uint8_t bits) {
  MemoryImage image;
  image.SetByte(image_map::kChannelBitmap, bits);
  return image;
}
RadioConfig Record(int channels, int step) {
  RadioConfig record = NewConfiguration();
  for (int c = 1; c <= 1000; ++c) record.Channel(c).InUse = c <= channels ? 1 : 0;
  record.SetMode[fn::kStep] = step;
  return record;
}

struct BackupsWindowTest : testing::WindowTest {
  BackupsWindowTest() {
    setup.backups_folder = Backups();
    window = MakeWindow();
  }
  QString Backups() const { return folder.filePath("backups"); }
};

TEST_F(BackupsWindowTest, EverySuccessfulReadIsKeptAndAFailedBackupIsOnlySaid) {
  kestrel::testing::WriteAll(folder.filePath("file").toStdString(), "x");
  jobs.read_outcome.record = Record(3, 5);
  jobs.read_outcome.image = ReadImage(0x07);
  const QString unwritable = folder.filePath("file/backups");
  const std::pair<QString, QString> rows[] = {
      {Backups(), ""},
      {unwritable, "The read was not kept as a backup: " + unwritable +
                       ": cannot be created: Not a directory"}};
  for (const auto& [where, status] : rows) {
    feedback.statuses.clear();
    setup.backups_folder = where;
    const auto reader = MakeWindow();
    reader->StartRead();
    TransferDialog* dialog = testing::RunTransfer(reader->OpenTransferDialog());
    ASSERT_NE(dialog, nullptr);
    // Kept once the read succeeded, before the record is taken.
    EXPECT_EQ(ListBackups(Backups().toStdU16String()).size(), 1u);
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    EXPECT_EQ(reader->Doc().Record(), Record(3, 5));
    EXPECT_EQ(feedback.statuses.filter("backup").join("|"), status);
  }
  const auto backups = ListBackups(Backups().toStdU16String());
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(backups[0].port, "COM1");
  EXPECT_EQ(backups[0].channels_in_use, 3);
}

TEST_F(BackupsWindowTest, ListsThemNewestFirstAndOpensOneAsANewDocument) {
  KnownImage known;
  known.Learn(ReadImage(0x03), 0, MemoryImage::kSize);
  const auto at = sys_days(2026y / 12 / 8) + 14h;
  ASSERT_TRUE(KeepBackup(Backups().toStdU16String(), Record(2, 3), known, "/dev/ttyUSB0", at));
  ASSERT_TRUE(KeepBackup(Backups().toStdU16String(), Record(1, 4), {}, "sim", at + 1min));

  window->ShowReceiverBackups();
  BackupsDialog* dialog = window->OpenBackupsDialog();
  ASSERT_NE(dialog, nullptr);
  QStringList rows;
  for (int row = 0; row < dialog->List()->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = dialog->List()->topLevelItem(row);
    rows << item->text(0) + "|" + item->text(1) + "|" + item->text(2);
  }
  const auto listed = ListBackups(Backups().toStdU16String());
  EXPECT_EQ(rows, QStringList({BackupTimeText(listed[0]) + "|sim|1",
                               BackupTimeText(listed[1]) + "|ttyUSB0|2"}));
  EXPECT_EQ(listed[1].when, at);
  EXPECT_TRUE(dialog->ShowFolderButton()->isEnabled());
  dialog->List()->setCurrentItem(dialog->List()->topLevelItem(1));
  QTest::mouseClick(dialog->CompareButton(), Qt::LeftButton);
  ASSERT_NE(window->OpenCompareDialog(), nullptr);
  EXPECT_TRUE(window->OpenCompareDialog()->Heading()->text().startsWith("From the backup of "));
  EXPECT_NE(window->OpenCompareDialog()->List()->item(0)->text(), "No differences");

  // With unsaved changes the question comes first; Cancel opens nothing.
  window->Doc().Edit("Step", [](RadioConfig& record) { record.SetMode[fn::kStep] = 7; });
  dialog->List()->setCurrentItem(dialog->List()->topLevelItem(1));
  QTest::mouseClick(dialog->OpenButton(), Qt::LeftButton);
  EXPECT_EQ(feedback.questions.size(), 1);
  EXPECT_EQ(window->Doc().Record().SetMode[fn::kStep], 7);
  EXPECT_TRUE(dialog->isVisible());

  feedback.answers.push_back(QMessageBox::Discard);
  QTest::mouseClick(dialog->OpenButton(), Qt::LeftButton);
  EXPECT_EQ(window->Doc().Record(), Record(2, 3));
  EXPECT_EQ(window->Doc().FileName(), "");
  EXPECT_EQ(window->Doc().Origin(), Document::Source::kNew);
  EXPECT_FALSE(window->Doc().IsModified());
  EXPECT_EQ(window->Doc().Image(), known.bytes());
  // The window knows what that receiver held, for Write Changes once its port is chosen.
  EXPECT_EQ(window->Receiver().image, known);
  EXPECT_EQ(window->Receiver().port, "ttyUSB0");
  EXPECT_TRUE(window->Receiver().source.startsWith("read at ")) << "as the preview says it";
  EXPECT_FALSE(dialog->isVisible());
}

}  // namespace
}  // namespace kestrel::ui
