// The window's Compare and Write Changes on the simulated receiver, on a virtual clock.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "files/data_file.h"
#include "files/receiver_backups.h"
#include "image/decoder.h"
#include "link/clock.h"
#include "link/write_changes.h"
#include "model/defaults.h"
#include "ui/compare_dialog.h"
#include "ui/link_radio_jobs.h"
#include "ui/main_window.h"
#include "ui/memory_grid_view.h"
#include "ui/memory_page.h"
#include "ui/transfer_dialog.h"
#include "ui/write_preview_dialog.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

QStringList Lines(const QListWidget* list) {
  QStringList lines;
  for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
  return lines;
}

class WriteChangesWindowTest : public ::testing::Test {
 protected:
  WriteChangesWindowTest() { window = MakeWindow(); }
  std::unique_ptr<MainWindow> MakeWindow() {
    auto made = std::make_unique<MainWindow>(
        jobs, storage,
        MainWindowSetup{folder.filePath("Heron.ini"), folder.path(), true,
                        folder.filePath("window.ini"), folder.filePath("backups")});
    made->show();
    return made;
  }

  // Presses OK in the open transfer dialog and waits for the job; the outcome is kept.
  TransferDialog* RunTransfer() {
    TransferDialog* dialog = window->OpenTransferDialog();
    if (!dialog) return nullptr;
    QObject::connect(dialog, &TransferDialog::TransferFinished,
                     [this](const TransferOutcome& outcome) { last = outcome; });
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    return QTest::qWaitFor([&] { return !dialog->IsBusy(); }, 5000) ? dialog : nullptr;
  }

  QStringList CompareWithRadio() {
    window->CompareWithRadio();
    if (!RunTransfer()) return {"no read"};
    QTest::qWait(0);  // the read dialog closes itself, queued
    const CompareDialog* compare = window->OpenCompareDialog();
    return compare ? Lines(compare->List()) : QStringList{"no list"};
  }

  void EditChannel(int channel, const char* frequency) {
    window->Doc().Edit("channel", [&](RadioConfig& record) {
      record.Channel(channel) = {1, frequency, "REP   ", 0, 3};
    });
  }

  QTemporaryDir folder;
  testing::RecordingFeedback feedback;
  testing::MemoryStorage storage;
  std::shared_ptr<link::VirtualClock> clock = std::make_shared<link::VirtualClock>();
  LinkRadioJobs jobs{clock};
  std::unique_ptr<MainWindow> window;
  TransferOutcome last;
};

TEST_F(WriteChangesWindowTest, AReadThenThreeEditsWriteOnlyTheirCommandsAndCompareListsTheRest) {
  window->StartWriteChanges();
  ASSERT_EQ(feedback.informations.size(), 1);
  EXPECT_TRUE(
      feedback.informations[0].contains("Nothing is known of what the receiver on the "
                                        "simulated port holds"))
      << feedback.informations[0].toStdString();

  window->StartRead();
  TransferDialog* read = RunTransfer();
  ASSERT_NE(read, nullptr);
  QTest::mouseClick(read->OkButton(), Qt::LeftButton);
  ASSERT_TRUE(window->Receiver().Known());
  EXPECT_TRUE(window->Receiver().source.startsWith("read at "));
  window->StartWriteChanges();
  ASSERT_EQ(feedback.informations.size(), 2);
  EXPECT_TRUE(feedback.informations[1].startsWith("Kestrel Programming Tool|Nothing to write"))
      << feedback.informations[1].toStdString();

  // Undoing the read does not forget the receiver.
  window->Doc().History().undo();
  EXPECT_TRUE(window->Receiver().Known());
  window->Doc().History().redo();

  for (const int channel : {12, 13, 14}) EditChannel(channel, "145500000");
  window->StartWriteChanges();
  WritePreviewDialog* preview = window->OpenPreviewDialog();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(Lines(preview->List()).size(), 3);
  EXPECT_TRUE(Lines(preview->List())[0].startsWith("011: added 145.50000 MHz"))
      << Lines(preview->List())[0].toStdString();
  const std::size_t commands = preview->Preview().commands;
  EXPECT_EQ(preview->WriteButton()->text(),
            QString("Write %1 changes").arg(commands - preview->Preview().always));
  EXPECT_TRUE(preview->Summary()->text().contains("read at "));
  EXPECT_FALSE(preview->Summary()->text().contains("pages do not show")) << "all of it shows";

  QTest::mouseClick(preview->WriteButton(), Qt::LeftButton);
  TransferDialog* write = RunTransfer();
  ASSERT_NE(write, nullptr);
  ASSERT_TRUE(last.status) << link::ResultText(last.status.error());
  EXPECT_EQ(write->windowTitle(), "Write Changes to the Receiver");
  EXPECT_EQ(last.to_write, commands) << "the preview counts what is sent";
  EXPECT_EQ(last.written, commands);
  write->reject();

  // What was written is known: nothing is left to write, and the receiver holds the edits.
  window->StartWriteChanges();
  EXPECT_TRUE(feedback.informations.last().contains("Nothing to write"));
  const auto backups = [&] { return ListBackups(folder.filePath("backups").toStdU16String()); };
  const std::size_t kept = backups().size();
  EXPECT_EQ(CompareWithRadio(), QStringList{"No differences"});
  EXPECT_GT(backups().size(), kept) << "Compare's read is kept as every read is";

  EditChannel(800, "145600000");
  const QStringList lines = CompareWithRadio();
  ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
  EXPECT_TRUE(lines[0].startsWith("799: added 145.60000 MHz")) << lines[0].toStdString();
  QListWidget* list = window->OpenCompareDialog()->List();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(window->Tabs()->currentWidget(), window->MemoryTab());
  EXPECT_EQ(window->MemoryTab()->Grid()->CurrentChannel(), 800);
  EXPECT_NE(window->OpenCompareDialog(), nullptr) << "Enter goes to the line, not away";

  window->StartProgram();
  ASSERT_NE(RunTransfer(), nullptr);
  ASSERT_TRUE(last.status);
  EXPECT_TRUE(window->Receiver().source.startsWith("written at "));
  window->OpenTransferDialog()->reject();

  // Compare with a file names what differs from it.
  RadioConfig other = window->Doc().Record();
  other.Channel(13) = {};
  const QString path = folder.filePath("other.dat");
  ASSERT_TRUE(SaveDataFile(path.toStdString(), other));
  feedback.file_names = {path};
  window->CompareWithFile();
  ASSERT_NE(window->OpenCompareDialog(), nullptr);
  EXPECT_EQ(Lines(window->OpenCompareDialog()->List()).size(), 1);
  EXPECT_TRUE(window->OpenCompareDialog()->Heading()->text().contains("other.dat"));

  window->SelectComPort(2);
  EXPECT_FALSE(window->Receiver().Known()) << "another port, another receiver";
}

// A write that stopped part way says how much it wrote, and Write the Rest finishes it.
TEST_F(WriteChangesWindowTest, AWriteThatStoppedIsFinishedByWriteTheRest) {
  for (const int channel : {12, 13, 14}) EditChannel(channel, "145500000");
  link::ReceiverSimulator& receiver = jobs.SimulatedReceiver(1)->receiver;
  receiver.ResetCounts();
  receiver.options().silent_after = 300;
  window->StartProgram();
  TransferDialog* write = RunTransfer();
  ASSERT_NE(write, nullptr);
  ASSERT_FALSE(last.status);
  ASSERT_FALSE(feedback.warnings.isEmpty());
  EXPECT_TRUE(
      feedback.warnings.last().contains(" of 1076 write commands were written before it "
                                        "stopped."))
      << feedback.warnings.last().toStdString();
  EXPECT_GT(last.written, 200u);
  QPushButton* rest = testing::Captioned<QPushButton>(write, "Write the &Rest");
  ASSERT_TRUE(rest && rest->isVisible());

  receiver.options().silent_after = -1;
  QTest::mouseClick(rest, Qt::LeftButton);
  WritePreviewDialog* preview = window->OpenPreviewDialog();
  ASSERT_NE(preview, nullptr);
  const std::size_t commands = preview->Preview().commands;
  EXPECT_EQ(commands, 1076 - last.written + 5) << "the rest, and the bytes every write sends";
  QTest::mouseClick(preview->WriteButton(), Qt::LeftButton);
  ASSERT_NE(RunTransfer(), nullptr);
  ASSERT_TRUE(last.status) << link::ResultText(last.status.error());
  EXPECT_EQ(last.written, commands);
  window->OpenTransferDialog()->reject();
  EXPECT_EQ(CompareWithRadio(), QStringList{"No differences"});
}

// "Read and keep the receiver's contents first": a write of a receiver nobody read keeps what it
// held, and that read is what the write then knows it changed.
TEST_F(WriteChangesWindowTest, AWriteCanReadAndKeepTheReceiverFirst) {
  EditChannel(12, "145500000");
  window->StartProgram();
  TransferDialog* write = window->OpenTransferDialog();
  ASSERT_NE(write, nullptr);
  const QString caption = "Read and &keep the receiver's contents first";
  QCheckBox* read_first = testing::Captioned<QCheckBox>(write, caption);
  ASSERT_NE(read_first, nullptr);
  EXPECT_FALSE(read_first->isChecked()) << "off until chosen";
  read_first->setChecked(true);
  ASSERT_NE(RunTransfer(), nullptr);
  ASSERT_TRUE(last.status) << link::ResultText(last.status.error());
  const std::vector<ReceiverBackup> kept = ListBackups(folder.filePath("backups").toStdString());
  ASSERT_EQ(kept.size(), 1u);
  const auto before = LoadDataFile(kept[0].configuration, NewConfiguration());
  ASSERT_TRUE(before.has_value());
  EXPECT_FALSE(before->Channel(12).IsProgrammed()) << "what the receiver held, not the edit";
  EXPECT_EQ(before->ProgrammedChannelCount(), 89);
  window->OpenTransferDialog()->reject();
  EXPECT_EQ(CompareWithRadio(), QStringList{"No differences"});

  window = MakeWindow();
  window->StartProgram();
  ASSERT_NE(window->OpenTransferDialog(), nullptr);
  EXPECT_TRUE(testing::Captioned<QCheckBox>(window->OpenTransferDialog(), caption)->isChecked())
      << "the choice is kept for the next run";
  window->OpenTransferDialog()->reject();
}

}  // namespace
}  // namespace kestrel::ui
