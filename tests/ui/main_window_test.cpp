#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "model/defaults.h"
#include "support/temp_files.h"
#include "ui/import_preview_dialog.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_page.h"
#include "ui/print_selection_dialog.h"
#include "ui/search_band_page.h"
#include "ui/set_mode_page.h"
#include "ui/several_receivers_dialog.h"
#include "ui/transfer_dialog.h"
#include "ui/write_preview_dialog.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

using kestrel::testing::ReadAll;
using kestrel::testing::WriteAll;
using testing::Captioned;

std::string Captions(const QList<QAction*>& actions) {
  QStringList captions;
  for (const QAction* action : actions) captions << action->text();
  return captions.join(u'|').toStdString();
}

struct MainWindowTest : testing::WindowTest {
  QString SettingsFile() const { return setup.settings_file; }
  std::string Settings() const { return ReadAll(SettingsFile().toStdString()); }

  // A record that differs from the defaults on every page.
  static RadioConfig ReceiverRecord() {
    RadioConfig record = NewConfiguration();
    record.SetMode[fn::kStep] = 5;
    record.Band(0) = {"118.00000", "137.00000"};
    record.Factory.SqlLevel[0] = 1234;
    record.Channel(1).InUse = 1;
    record.Channel(1).Frequency = "145000000";
    return record;
  }

  void MakeAnEdit() {
    QTest::keyClick(window->SetModeTab()->List(fn::kStep), Qt::Key_Down);
    QTest::mouseClick(window->SetModeTab()->SetButton(), Qt::LeftButton);
    ASSERT_TRUE(window->Doc().IsModified());
  }
};

TEST_F(MainWindowTest, StartsOnPortOneWithTheFirstPageAndTheMenus) {
  EXPECT_EQ(Settings(), "[COM_SETTINGS]\r\nCOMport= 1\r\n");
  EXPECT_EQ(window->windowTitle(), "Kestrel Programming Tool[*]");

  const QList<QAction*> bar = window->menuBar()->actions();
  ASSERT_EQ(Captions(bar), "&File|&Edit|&View|&COM|&Help");
  EXPECT_EQ(Captions(bar[0]->menu()->actions()),
            "&New|&Open|&Save|Save &As||&Import Channels...|&Export Channels...|Receiver "
            "&Backups...|&Compare with File...||&Print|Print Pre&view|Export P&DF...||E&xit");
  // The platform's keys, or the common ones where the platform has none.
  const QList<QAction*> file = bar[0]->menu()->actions();
  const std::pair<int, QKeySequence::StandardKey> keys[] = {
      {0, QKeySequence::New},    {1, QKeySequence::Open},   {2, QKeySequence::Save},
      {3, QKeySequence::SaveAs}, {10, QKeySequence::Print}, {14, QKeySequence::Quit}};
  for (const auto& [item, key] : keys) {
    const QList<QKeySequence> platform = QKeySequence::keyBindings(key);
    EXPECT_FALSE(file[item]->shortcut().isEmpty()) << file[item]->text().toStdString();
    if (!platform.isEmpty()) {
      EXPECT_EQ(file[item]->shortcuts(), platform);
    }
  }
  EXPECT_EQ(Captions(bar[1]->menu()->actions()),
            "&Undo|&Redo||Cu&t|&Copy|&Paste|&Delete||&Go to Channel...|&Find...|Find &Next|Find "
            "Pre&vious|Fi&ll Frequencies...");
  EXPECT_EQ(Captions(bar[2]->menu()->actions()), "Show &Programmed Channels Only");
  EXPECT_EQ(Captions(bar[3]->menu()->actions()),
            "&Read from Radio|Pro&gram to Radio|Program &Several Receivers...|Write &Changes to "
            "Radio...|Co&mpare with Radio...|Por&t");
  const std::string ports = Captions(window->PortMenu()->actions());
  EXPECT_TRUE(ports.starts_with("COM &1|COM &2|COM &3|COM &4||")) << ports;
  EXPECT_TRUE(ports.ends_with("|&Simulated receiver")) << ports;
  EXPECT_EQ(Captions(bar[4]->menu()->actions()), "&User Guide|A&bout");

  QTabWidget* tabs = window->Tabs();
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ((tabs->tabText(0) + "|" + tabs->tabText(1) + "|" + tabs->tabText(2)).toStdString(),
            "Set Mode|Memory|Search Band Memory");
  EXPECT_FALSE(tabs->isTabVisible(MainWindow::kFactoryTab));
  tabs->setCurrentIndex(2);
  tabs->setCurrentIndex(MainWindow::kFactoryTab);
  EXPECT_EQ(tabs->currentIndex(), 2) << "the factory page cannot be selected";
  // Ctrl+Tab from inside a grid goes to the next offered page, round the end, and back again.
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->SearchBandTab()->Grid()->setFocus();
  // With Shift, keyboards send Backtab or Tab.
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> steps[] = {
      {Qt::Key_Tab, Qt::ControlModifier, 0},
      {Qt::Key_Tab, Qt::ControlModifier, 1},
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
      {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 2}};
  for (const auto& [key, modifiers, page] : steps) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    EXPECT_EQ(tabs->currentIndex(), page);
  }
}

TEST_F(MainWindowTest, AChosenPortIsCheckedAloneAndRememberedButSimulateIsForOneRun) {
  window->ComAction(3)->trigger();
  EXPECT_TRUE(window->ComAction(3)->isChecked());
  for (int n : {1, 2, 4}) EXPECT_FALSE(window->ComAction(n)->isChecked()) << "one of a group";
  EXPECT_EQ(Settings(), "[COM_SETTINGS]\r\nCOMport= 3\r\n");
  EXPECT_EQ(MakeWindow()->Port(), "3");

  auto simulated = MakeWindow(true);
  EXPECT_EQ(simulated->Port(), "sim");
  EXPECT_TRUE(simulated->SimulatedAction()->isChecked());
  EXPECT_FALSE(simulated->ComAction(3)->isChecked());
  EXPECT_EQ(Settings(), "[COM_SETTINGS]\r\nCOMport= 3\r\n");

  window->SimulatedAction()->trigger();  // chosen from the menu, it is remembered
  EXPECT_FALSE(window->ComAction(3)->isChecked());
  EXPECT_EQ(MakeWindow()->Port(), "sim");
  EXPECT_TRUE(Settings().starts_with("[COM_SETTINGS]\r\nCOMport= 3\r\n"));

  // A stored port outside 1 to 4 checks nothing and is left as it is.
  WriteAll(SettingsFile().toStdString(), "[COM_SETTINGS]\r\nCOMport= 7\r\n");
  auto odd = MakeWindow();
  for (int n = 1; n <= 4; ++n) EXPECT_FALSE(odd->ComAction(n)->isChecked());
  EXPECT_EQ(odd->Port(), "0");
  EXPECT_EQ(Settings(), "[COM_SETTINGS]\r\nCOMport= 7\r\n");
}

TEST_F(MainWindowTest, AReadChangesNothingUntilItSucceedsThenRefreshesEveryPage) {
  jobs.read_outcome = testing::Failure(2);
  window->SearchBandTab()->OpenBand(0);
  const RadioConfig before = window->Doc().Record();
  QTest::mouseClick(window->SetModeTab()->ReadButton(), Qt::LeftButton);
  TransferDialog* dialog = RunTransfer();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(feedback.warnings.size(), 1);
  QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
  EXPECT_EQ(window->Doc().Record(), before);
  EXPECT_FALSE(window->SearchBandTab()->EditFrame()->isHidden());
  EXPECT_EQ(window->OpenTransferDialog(), nullptr);

  jobs.read_outcome = TransferOutcome{};
  jobs.read_outcome.record = ReceiverRecord();
  jobs.read_outcome.image = MemoryImage{};
  jobs.read_outcome.image->Fill(0x5A);
  QTest::mouseClick(window->SearchBandTab()->ReadButton(), Qt::LeftButton);
  dialog = RunTransfer();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(window->SetModeTab()->List(fn::kStep)->currentIndex(), 0);  // not before it closes
  QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
  EXPECT_EQ(window->Doc().Record(), ReceiverRecord());
  EXPECT_EQ(window->Doc().Image().Byte(0x100), 0x5A);
  EXPECT_EQ(window->SetModeTab()->List(fn::kStep)->currentIndex(), 5);
  EXPECT_EQ(window->SearchBandTab()->Grid()->item(0, 2)->text(), "118.00000");
  const MemoryGridModel* grid = window->MemoryTab()->GridModel();
  EXPECT_EQ(grid->data(grid->index(0, MemoryGridModel::kFrequencyColumn)).toString(), "145.00000");
  EXPECT_TRUE(window->SearchBandTab()->EditFrame()->isHidden());
  EXPECT_FALSE(window->Doc().IsModified());
  EXPECT_EQ(jobs.ports, (QStringList{"1", "1"}));
}

TEST_F(MainWindowTest, TheWindowCannotCloseDuringATransferAndARefusedProgramChangesNothing) {
  jobs.program_outcome = testing::Failure(4);
  std::latch gate(1);
  jobs.gate = &gate;
  const RadioConfig before = window->Doc().Record();
  window->menuBar()->actions()[3]->menu()->actions()[1]->trigger();  // Pro&gram to Radio
  TransferDialog* dialog = window->OpenTransferDialog();
  ASSERT_NE(dialog, nullptr);
  QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(feedback.questions, QStringList{"The transfer is still running. Cancel it?"});
  gate.count_down();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->IsBusy(); }, 5000));
  EXPECT_EQ(feedback.warnings.size(), 1);
  EXPECT_EQ(jobs.programmed, std::vector<RadioConfig>{before});
  EXPECT_EQ(window->Doc().Record(), before);
  EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, WriteNamesValuesOutsideTheirTablesAndMayBeCancelled) {
  RadioConfig record = NewConfiguration();
  record.Channel(800) = {1, "145000000", "", 1, 13, 0, 0, 0, 0, 0, 0, 0};
  window->Doc().Replace(record, {});
  QTest::mouseClick(window->MemoryTab()->findChild<QPushButton*>("cmdWrite"), Qt::LeftButton);
  EXPECT_EQ(feedback.questions,
            QStringList{"These values are not in their value tables; the receiver gets them as "
                        "they are:\n\nchannel 799, STEP: 13 is not in the step table\n\nWrite "
                        "anyway?"});
  EXPECT_EQ(window->OpenTransferDialog(), nullptr) << "answered No";
  feedback.answers = {QMessageBox::Yes};
  QTest::mouseClick(window->SetModeTab()->WriteButton(), Qt::LeftButton);
  ASSERT_NE(window->OpenTransferDialog(), nullptr);
  window->OpenTransferDialog()->reject();
}

TEST(Feedback, AskAnswersWhenTheUserChoseWithoutWaiting) {
  QWidget parent;
  Feedback platform;
  std::optional<QMessageBox::StandardButton> answer;
  platform.Ask(&parent, "title", "Write anyway?", QMessageBox::Yes | QMessageBox::No,
               QMessageBox::No, [&](QMessageBox::StandardButton chosen) { answer = chosen; });
  auto* box = parent.findChild<QMessageBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(answer);
  box->button(QMessageBox::Yes)->click();
  EXPECT_EQ(answer, QMessageBox::Yes);
}

TEST_F(MainWindowTest, ProgramSeveralReceiversWritesTheRecordOnTheTickedPorts) {
  KnownImage known;
  known.Learn(MemoryImage{}, 0x0300, 35);
  window->KnowReceiver(known, "sim4", "read at 14:02 on simulated port 4");
  window->menuBar()->actions()[3]->menu()->actions()[2]->trigger();
  SeveralReceiversDialog* dialog = window->OpenSeveralDialog();
  ASSERT_NE(dialog, nullptr);
  const int last = dialog->PortCount() - 1;
  EXPECT_EQ(dialog->PortBox(0)->text(), "COM 1");
  EXPECT_EQ(dialog->PortBox(last)->text(), "Simulated receiver 4");
  std::latch gate(1);
  jobs.gate = &gate;
  dialog->PortBox(last)->setChecked(true);
  QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(feedback.questions, QStringList{"Receivers are still being written. Cancel?"});
  gate.count_down();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->IsBusy(); }, 5000));
  EXPECT_EQ(jobs.ports, QStringList{"sim4"});
  EXPECT_EQ(jobs.programmed, std::vector<RadioConfig>{window->Doc().Record()});
  EXPECT_FALSE(window->Receiver().Known()) << "what it held before is no longer what it holds";
  EXPECT_TRUE(window->close());
}

// A write that stopped part way offers the rest, from what the receiver acknowledged; once a
// write succeeded, the next OK is another receiver, of which nothing is known.
TEST_F(MainWindowTest, AWriteThatStoppedOffersTheRestAndTheNextReceiverStartsUnknown) {
  KnownImage partial;
  MemoryImage written;
  written.Fill(0);
  partial.Learn(written, 0x0300, 35);
  jobs.program_outcome = {
      link::Failed(link::LinkResult::kCancelled, "Writing cancelled."), {}, {}, partial, 40, 1076};
  window->StartProgram();
  TransferDialog* dialog = RunTransfer();
  ASSERT_NE(dialog, nullptr);
  QPushButton* rest = Captioned<QPushButton>(dialog, "Write the &Rest");
  ASSERT_NE(rest, nullptr);
  EXPECT_TRUE(rest->isVisible());
  EXPECT_TRUE(window->Receiver().source.startsWith("written in part at "));
  EXPECT_FALSE(jobs.requests.at(0).changes_only);

  jobs.program_outcome = {{}, {}, {}, partial, 5, 5};
  QTest::mouseClick(rest, Qt::LeftButton);
  EXPECT_EQ(window->OpenTransferDialog(), nullptr);
  ASSERT_NE(window->OpenPreviewDialog(), nullptr);
  QTest::mouseClick(window->OpenPreviewDialog()->WriteButton(), Qt::LeftButton);
  dialog = RunTransfer();
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(jobs.requests.size(), 2u);
  EXPECT_TRUE(jobs.requests[1].changes_only);
  EXPECT_EQ(jobs.requests[1].known, partial);
  EXPECT_TRUE(jobs.requests[1].known_from.starts_with("written in part at ")) << "for its messages";
  EXPECT_TRUE(window->Receiver().source.contains(", then changed at "));

  QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);  // "Write another radio?"
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->IsBusy(); }, 5000));
  ASSERT_EQ(jobs.requests.size(), 3u);
  EXPECT_FALSE(jobs.requests[2].changes_only);
  EXPECT_FALSE(jobs.requests[2].known.AnyKnown());
  dialog->reject();
}

TEST_F(MainWindowTest, SaveAsksForANameOnceAndAFailureKeepsTheDocumentModified) {
  const QString full = folder.filePath("full.dat");
  storage.failing << full;
  feedback.file_names = {full, folder.filePath("one.dat")};
  MakeAnEdit();
  window->Save();
  ASSERT_EQ(feedback.warnings.size(), 1);
  EXPECT_EQ(feedback.warnings[0],
            "Kestrel Programming Tool|The file " + full + " cannot be saved:\ndisk full");
  EXPECT_TRUE(window->isWindowModified());

  window->Save();
  ASSERT_EQ(feedback.file_dialogs.size(), 2);
  EXPECT_EQ(feedback.file_dialogs[1],
            "save| Save of data File|" + folder.path() + "|dat (*.dat)|dat");
  EXPECT_EQ(window->Doc().FileName(), folder.filePath("one.dat"));
  EXPECT_FALSE(window->isWindowModified());
  EXPECT_EQ(feedback.statuses.last(),
            "Saved to " + QDir::toNativeSeparators(folder.filePath("one.dat")) + ".");
  EXPECT_EQ(storage.files.at(folder.filePath("one.dat")), window->Doc().Record());

  // Named now: Save writes without a dialog.
  MakeAnEdit();
  window->Save();
  EXPECT_EQ(feedback.file_dialogs.size(), 2);
  EXPECT_EQ(storage.files.at(folder.filePath("one.dat")), window->Doc().Record());
}

TEST_F(MainWindowTest, OpenLoadsAFileOrKeepsTheRecordAndSaysWhy) {
  const QString good = folder.filePath("good.dat");
  storage.files[good] = ReceiverRecord();
  storage.damaged[folder.filePath("damaged.dat")] = "line 6031: the file ends early";
  window->SearchBandTab()->OpenBand(3);
  feedback.file_names = {good};
  window->Open();
  EXPECT_TRUE(feedback.file_dialogs[0].startsWith("open| Load of data File|" + folder.path()));
  EXPECT_EQ(window->Doc().Record(), ReceiverRecord());
  EXPECT_EQ(window->Doc().FileName(), good);
  EXPECT_TRUE(window->SearchBandTab()->EditFrame()->isHidden());

  // A file that cannot be read, a damaged one, and a cancelled dialog ("") change nothing.
  const std::pair<const char*, const char*> refusals[] = {
      {"missing.dat", " cannot be read: no such file."},
      {"damaged.dat", " is damaged and was not opened:\nline 6031: the file ends early"},
      {"", ""}};
  for (const auto& [name, why] : refusals) {
    const QString path = *name ? folder.filePath(name) : QString();
    feedback.warnings.clear();
    feedback.file_names = {path};
    window->Open();
    EXPECT_TRUE(feedback.file_dialogs.last().contains("|" + folder.path() + "|"));  // the file's
    EXPECT_EQ(feedback.warnings, *name ? QStringList{"Kestrel Programming Tool|The file " + path +
                                                     why + "\n\nThe configuration was not changed."}
                                       : QStringList());
    EXPECT_EQ(window->Doc().Record(), ReceiverRecord());
    EXPECT_EQ(window->Doc().FileName(), good);
  }
}

TEST_F(MainWindowTest, ImportChannelsShowsWhatItWouldDoAndIsOneEditOrNothing) {
  const QString list = folder.filePath("list.csv");
  QSignalSpy edited(&window->Doc(), &Document::Edited);
  const auto preview = [&](const std::string& text) {
    WriteAll(list.toStdString(), text);
    feedback.file_names = {list};
    window->ImportChannelList();
    return window->findChild<ImportPreviewDialog*>();
  };
  // Row 3 repeats Location 1; the second row goes to the first empty channel.
  ImportPreviewDialog* dialog =
      preview("Location,Name,Frequency,Mode\n1,Longname,145.5,FM\n,,146,FM\n1,Again,147,FM\n");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Summary(),
            "2 channels will be stored; 1 row left out; 0 programmed channels written over.");
  EXPECT_EQ(dialog->Notes()->toPlainText().count("list.csv, line "), 2) << "the notes show";
  dialog->FromCurrentButton()->click();  // the current row is channel 000: one after another
  EXPECT_EQ(dialog->Summary(),
            "3 channels will be stored; 0 rows left out; 0 programmed channels written over.");
  dialog->reject();
  EXPECT_EQ(edited.size(), 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  dialog = preview("Location,Name,Frequency,Mode\n1,Longname,145.5,FM\n,,146,FM\n");
  ASSERT_NE(dialog, nullptr);
  QTest::mouseClick(dialog->ImportButton(), Qt::LeftButton);
  EXPECT_EQ(edited.size(), 1);
  EXPECT_EQ(window->Doc().Record().Channel(2).Name, "Longna") << "Location 1 is channel 001";
  EXPECT_EQ(window->Doc().Record().Channel(1).Frequency, "146000000");
  EXPECT_EQ(feedback.statuses.last(), "2 channels imported from list.csv.");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  // Nothing passes: nothing to import. A fault of the file: no preview, and why.
  dialog = preview("Location,Frequency,Mode\n1,14.2,USB\n");
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(dialog->ImportButton()->isEnabled());
  dialog->reject();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(preview("Location,Frequency,Mode\r1,14.2,FM\r"), nullptr);
  ASSERT_EQ(feedback.warnings.size(), 1);
  EXPECT_TRUE(feedback.warnings[0].startsWith(
      "Kestrel Programming Tool|No channel was imported from list.csv; the configuration was not "
      "changed.\n\nlist.csv, line 1: the line ends are not recognised"));
  EXPECT_EQ(edited.size(), 1);
}

TEST_F(MainWindowTest, ExportChannelsWritesTheLayoutChosenInTheDialog) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("lists"));
  const QString own = folder.filePath("own.csv"), common = folder.filePath("lists/common.csv");
  feedback.file_names = {own, common};
  window->ExportChannelList();
  EXPECT_TRUE(ReadAll(own.toStdString()).starts_with("No.,Name,Frequency,Mode,"));
  feedback.chosen_filters = {"CSV files, the common layout of other tools (*.csv)"};
  window->ExportChannelList();
  EXPECT_TRUE(feedback.file_dialogs.last().endsWith(
      "|CSV files (*.csv);;CSV files, the common layout of other tools (*.csv)|csv"));
  EXPECT_TRUE(ReadAll(common.toStdString()).starts_with("Location,Name,Frequency,Duplex,"));
  EXPECT_EQ(feedback.statuses.last(), "89 channels exported to common.csv.");
  // The next file dialog starts in the folder the last one ended in, in this run.
  window->Open();
  EXPECT_TRUE(feedback.file_dialogs.last().startsWith("open| Load of data File|" +
                                                      folder.filePath("lists") + "|"));
}

TEST_F(MainWindowTest, UnsavedChangesAreOfferedForSavingBeforeTheyGo) {
  window->New();  // unmodified: no question
  EXPECT_TRUE(feedback.questions.isEmpty());

  // Each question below is answered Cancel: nothing else happens.
  MakeAnEdit();
  const RadioConfig edited = window->Doc().Record();
  window->New();
  EXPECT_EQ(feedback.questions, QStringList{"Save changes?"});
  EXPECT_EQ(window->Doc().Record(), edited);
  feedback.file_names = {folder.filePath("never.dat")};
  window->Open();
  EXPECT_TRUE(feedback.file_dialogs.isEmpty());
  window->StartRead();
  EXPECT_EQ(window->OpenTransferDialog(), nullptr);
  EXPECT_FALSE(window->close());

  // Save, then the close goes ahead once the window is back in its event loop.
  feedback.answers = {QMessageBox::Save};
  feedback.file_names = {folder.filePath("kept.dat")};
  window->close();
  QCoreApplication::sendPostedEvents();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(storage.files.at(folder.filePath("kept.dat")), edited);

  // Discard lets New go ahead without saving.
  window = MakeWindow();
  MakeAnEdit();
  feedback.answers = {QMessageBox::Discard};
  window->New();
  EXPECT_EQ(window->Doc().Record(), NewConfiguration());
  EXPECT_EQ(storage.files.size(), 1u);
  EXPECT_EQ(feedback.questions.size(), 6);
}

TEST_F(MainWindowTest, PrintPreviewAndPdfOfferTheReportChoiceThatPrintRemembers) {
  window->ExportPdf();
  auto* dialog = window->findChild<PrintSelectionDialog*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), "Export PDF");
  dialog->findChild<QCheckBox*>("chkMemory")->setChecked(true);
  const QString pdf = folder.filePath("reports.pdf");
  feedback.file_names = {pdf};
  QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  EXPECT_TRUE(Settings().contains("[PRINT_SETTINGS]\r\nSetMode= 0\r\nMemory= 1\r\n"));
  ASSERT_EQ(feedback.file_dialogs.size(), 1);
  EXPECT_TRUE(feedback.file_dialogs[0].startsWith("save|Export PDF|"));
  EXPECT_TRUE(ReadAll(pdf.toStdString()).starts_with("%PDF-"));
  EXPECT_EQ(feedback.statuses.last(), "Reports exported to " + QDir::toNativeSeparators(pdf) + ".");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  window->PrintPreview();
  dialog = window->findChild<PrintSelectionDialog*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->findChild<QCheckBox*>("chkMemory")->isChecked()) << "remembered";
  dialog->findChild<QCheckBox*>("chkMemory")->setChecked(false);
  QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  EXPECT_EQ(feedback.informations,
            QStringList{"Print Preview|No report is ticked. Tick the reports you want."});
  EXPECT_TRUE(dialog->isVisible());
  dialog->findChild<QCheckBox*>("chkSetMode")->setChecked(true);
  QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  auto* preview = window->findChild<QPrintPreviewDialog*>();
  ASSERT_NE(preview, nullptr);
  preview->reject();
}

TEST_F(MainWindowTest, TheWindowFitsTheScreenAndOpensWhereItWasLeft) {
  const QRect screen = window->screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(window->frameGeometry())) << "opens on the screen";
  EXPECT_GE(window->width(), std::min(screen.width() - 16, 800));

  const QRect left(screen.left() + 30, screen.top() + 60, window->minimumSizeHint().width(), 400);
  window->setGeometry(left);
  ASSERT_TRUE(window->close());
  window = MakeWindow();
  EXPECT_EQ(window->geometry(), left);

  // Left larger than the screen it opens on now (another screen, another scale): it fits.
  window->setGeometry(screen.left(), screen.top(), screen.width() * 2, screen.height() * 2);
  ASSERT_TRUE(window->close());
  window = MakeWindow();
  EXPECT_TRUE(screen.contains(window->frameGeometry()));
}

TEST_F(MainWindowTest, EveryCommandThatCouldLeaveAnEditBehindAsksAboutAPendingPageFirst) {
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"Save", [&] { window->Save(); }},
      {"Save As", [&] { window->SaveAs(); }},
      {"Write", [&] { window->SearchBandTab()->WriteButton()->click(); }},
      {"Print", [&] { window->Print(); }},
      {"New", [&] { window->New(); }},
      {"Open", [&] { window->Open(); }},
      {"Read", [&] { window->MemoryTab()->findChild<QPushButton*>("cmdRead")->click(); }},
      {"Import Channels", [&] { window->ImportChannelList(); }},
      {"Exit", [&] { window->close(); }}};
  QTest::keyClick(window->SetModeTab()->List(fn::kStep), Qt::Key_Down);
  for (const auto& [name, run] : commands) {
    feedback.questions.clear();
    run();  // answered Cancel: the command ends there
    EXPECT_EQ(feedback.questions, QStringList{"The Set Mode page has changes that are not Set."})
        << name;
    EXPECT_TRUE(feedback.file_dialogs.isEmpty()) << name;
    EXPECT_EQ(window->OpenTransferDialog(), nullptr) << name;
    EXPECT_EQ(window->findChild<PrintSelectionDialog*>(), nullptr) << name;
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(window->isVisible()) << name;
  }

  // "Set" stores the page and the command goes on; "Discard" drops a draft channel.
  feedback.choices = {"Set"};
  feedback.file_names = {folder.filePath("set.dat")};
  window->Save();
  EXPECT_EQ(storage.files.at(folder.filePath("set.dat")).SetMode[fn::kStep], 1);
  MemoryGridModel* grid = window->MemoryTab()->GridModel();
  grid->setData(grid->index(0, MemoryGridModel::kNameColumn), "A");
  feedback.choices = {"Discard"};
  window->New();
  EXPECT_EQ(feedback.questions.last(), "The Memory page has changes that are not Set.");
  EXPECT_FALSE(window->MemoryTab()->HasPendingChanges());
  EXPECT_EQ(window->Doc().Record(), NewConfiguration());

  // A "Set" the page refuses ends the command, and the status bar says why.
  window->SearchBandTab()->OpenBand(3);
  window->SearchBandTab()->LowField()->setText("300");
  window->SearchBandTab()->UpperField()->setText("200");
  feedback.choices = {"Set"};
  window->Save();
  EXPECT_EQ(feedback.statuses.last(),
            "The search bands are not stored. Band L03: the upper limit 200.00000 MHz is not above "
            "the lower limit 300.00000 MHz.");
  EXPECT_EQ(storage.files.size(), 1u);
}

// A Discard is the action's answer: a Cancel at a later question of the same action keeps the
// pending edit, and Undo has nothing to bring back.
TEST_F(MainWindowTest, ACancelAfterDiscardKeepsThePendingEdit) {
  MakeAnEdit();
  const RadioConfig before = window->Doc().Record();
  SearchBandPage* bands = window->SearchBandTab();
  bands->OpenBand(2);
  bands->LowField()->setText("144");
  ASSERT_TRUE(bands->HasPendingChanges());

  feedback.choices = {"Discard"};
  feedback.answers = {QMessageBox::Cancel};
  window->Open();  // Cancel at "Save changes?"
  EXPECT_EQ(feedback.questions.last(), "Save changes?");
  EXPECT_TRUE(bands->HasPendingChanges());
  EXPECT_FALSE(bands->EditFrame()->isHidden());

  feedback.choices = {"Discard"};
  feedback.answers = {QMessageBox::Discard};
  window->Open();  // Cancel in the file dialog
  EXPECT_EQ(feedback.file_dialogs.size(), 1);
  EXPECT_TRUE(bands->HasPendingChanges());
  EXPECT_EQ(window->Doc().Record(), before);

  // Once the action goes ahead the page's edits are dropped.
  feedback.choices = {"Discard"};
  feedback.answers = {QMessageBox::Discard};
  window->New();
  EXPECT_FALSE(bands->HasPendingChanges());
  EXPECT_EQ(window->Doc().Record(), NewConfiguration());
}

TEST_F(MainWindowTest, TheTitleNamesTheFileAndAReadLeavesNoFileNameForSave) {
  const QString path = folder.filePath("a.dat");
  storage.files[path] = NewConfiguration();
  window->OpenFile(path);
  EXPECT_EQ(window->windowTitle(), "a.dat[*] - Kestrel Programming Tool");

  jobs.read_outcome.record = ReceiverRecord();
  window->StartRead();
  ASSERT_NE(RunTransfer(), nullptr);
  window->OpenTransferDialog()->accept();
  EXPECT_EQ(window->windowTitle(), "Read from the receiver[*] - Kestrel Programming Tool");
  EXPECT_EQ(window->Doc().FileName(), "");
  window->Save();  // asks for a name; cancelled
  ASSERT_EQ(feedback.file_dialogs.size(), 1);
  EXPECT_TRUE(feedback.file_dialogs[0].startsWith("save|"));
  EXPECT_EQ(storage.files.at(path), NewConfiguration()) << "a.dat is not written over";

  window->Doc().History().undo();  // the read
  EXPECT_EQ(window->Doc().Record(), NewConfiguration());
  EXPECT_EQ(window->windowTitle(), "a.dat[*] - Kestrel Programming Tool");
}

}  // namespace
}  // namespace kestrel::ui
