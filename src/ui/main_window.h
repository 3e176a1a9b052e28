// The program's main window: the File, Edit, COM and Help menus, the three editing pages (and the
// hidden Factory Settings page) on a tab widget, the port choice kept in the settings file, the
// data file commands, and the read and program dialogs. It owns the Document.
// Nothing the user entered is left behind unasked: before a command saves, writes, prints or
// replaces the record, or the window closes, each page with changes that are not Set is offered
// for "Set" / "Discard" / "Cancel", and then unsaved changes for saving. The questions do not
// wait: the command goes on once they are answered.
#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

#include "link/port_choice.h"
#include "model/config_diff.h"
#include "print/reports.h"
#include "ui/document.h"
#include "ui/receiver_knowledge.h"

class QAction;
class QActionGroup;
class QMenu;
class QTabWidget;

namespace kestrel {
class KnownImage;
struct ReceiverBackup;
}  // namespace kestrel

namespace kestrel::ui {

// The simulated receiver's port as the port menu holds it ("sim").
QString SimulatedPortText();

class BackupsDialog;
class CompareDialog;
class DocumentStorage;
class FactoryPage;
class MemoryPage;
class PendingEdits;
class RadioJobs;
class SearchBandPage;
class SetModePage;
class SeveralReceiversDialog;
class TransferDialog;
struct TransferOutcome;
class WritePreviewDialog;

// The Memory page the window shows; it offers Reload() and ReadRequested() / WriteRequested().
using MemoryPageWidget = MemoryPage;

struct MainWindowSetup {
  QString settings_file;   // the settings file, created at start-up when missing
  QString program_folder;  // where the file dialogs start before a file was named
  bool simulate = false;   // use the simulated receiver for this run, whatever the settings say
  // The file in the user's configuration that keeps the window's size and place between runs;
  // "" keeps nothing.
  QString window_settings;
  // Where every successful read is kept as a backup (the user's data folder); "" keeps none.
  QString backups_folder;
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kFactoryTab = 3;

  MainWindow(RadioJobs& jobs, DocumentStorage& storage, MainWindowSetup setup,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  Document& Doc() { return document_; }
  QTabWidget* Tabs() const { return tabs_; }
  SetModePage* SetModeTab() const { return set_mode_page_; }
  MemoryPageWidget* MemoryTab() const { return memory_page_; }
  SearchBandPage* SearchBandTab() const { return band_page_; }
  FactoryPage* FactoryTab() const { return factory_page_; }
  // The numbered port items "COM &1" to "COM &4" (number 1 to 4).
  QAction* ComAction(int number) const {
    return com_actions_[static_cast<std::size_t>(number - 1)];
  }
  QAction* SimulatedAction() const { return simulated_action_; }
  QMenu* PortMenu() const { return port_menu_; }
  QMenu* EditMenu() const { return edit_menu_; }
  // The port the next transfer uses, as text: "1" to "4", a device name, or "sim"; "0" when none
  // is chosen.
  QString Port() const { return QString::fromStdString(port_.Text()); }
  // The read or program dialog while one is open.
  TransferDialog* OpenTransferDialog() const;
  // The dialog that programs several receivers at once, while it is open.
  SeveralReceiversDialog* OpenSeveralDialog() const;
  // File > "Receiver Backups...", while it is open.
  BackupsDialog* OpenBackupsDialog() const;
  // The list of Compare with File or Compare with Radio, while it is open.
  CompareDialog* OpenCompareDialog() const;
  // What Write Changes will write, while it asks.
  WritePreviewDialog* OpenPreviewDialog() const;

  // What the window knows the receiver holds, and where from; it is the receiver's, not the
  // document's.
  const ReceiverKnowledge& Receiver() const { return receiver_; }
  // Takes what is known of the receiver on `port` (the port's text, as Port() gives it) from
  // elsewhere, a kept read for one; `description` says where from ("read at 14:02 on ttyUSB0").
  // It counts while that port is chosen.
  void KnowReceiver(const KnownImage& known, const QString& port, const QString& description);

 public slots:
  void New();
  void Open();
  // Opens the data file `path` without a dialog (the file named when the program starts).
  void OpenFile(const QString& path);
  void Save();
  void SaveAs();
  void Print();
  void PrintPreview();
  void ExportPdf();
  // File > "Import Channels...": a CSV channel table into the record as one edit, with a summary.
  void ImportChannelList();
  // File > "Export Channels...": the programmed channels as a CSV channel table.
  void ExportChannelList();
  // File > "Receiver Backups...": the reads kept as backups, to open or compare.
  void ShowReceiverBackups();
  void StartRead();
  void StartProgram();
  void StartProgramSeveral();
  // COM > "Write Changes to Radio...": what the receiver is not known to hold, after a preview.
  void StartWriteChanges();
  // File > "Compare with File..." and COM > "Compare with Radio...": the differences from the
  // file or the receiver to the open configuration, as a list; the document is not touched.
  void CompareWithFile();
  void CompareWithRadio();
  void ShowAbout();
  // Chooses COM port 1 to 4 and stores the choice; other numbers check nothing and change nothing.
  void SelectComPort(int number);
  // Chooses a port of the system's list, or the simulated receiver; `remember` stores it.
  void SelectNamedPort(const QString& device, bool remember);
  void RefreshAllTabs();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Where the window opens: as it was left, or centred at a size that fits the screen.
  void PlaceWindow();
  void SavePlace() const;
  // The Write dialog's "Read and keep the receiver's contents first", kept beside the window's
  // place; off until chosen.
  bool ReadFirstChosen() const;
  void ChooseReadFirst(bool chosen) const;
  void BuildMenus();
  void BuildPortMenu(QMenu* com);
  void BuildPages();
  void ListSystemPorts();
  void CheckCurrentPort();
  // The pages whose edits wait for their "Set".
  QList<PendingEdits*> PendingPages() const;
  bool AnyPagePending() const;
  // Asks about each page from `first_page` on that holds changes that are not Set, then runs
  // `then`; "Cancel", or a "Set" the page refuses, ends the command there. A "Discard" is only
  // noted, for ApplyChosenDiscards.
  void AskAboutPendingEdits(std::function<void()> then, qsizetype first_page = 0);
  // Drops the edits of the pages the user chose to discard, once the action goes ahead.
  void ApplyChosenDiscards();
  // Runs `then` once no page holds changes that are not Set.
  void SettlePendingEdits(std::function<void()> then);
  // Runs `then` once the record's changes are saved or given up; "Cancel" ends the command.
  void MaybeSave(std::function<void()> then);
  // Both of the above, before the record is replaced or the window closes; `then` calls
  // ApplyChosenDiscards where its action goes ahead.
  void ConfirmLeaving(std::function<void()> then);
  bool SaveRecord();
  bool SaveRecordAs();
  bool SaveTo(const QString& path);
  void ShowTitle();
  void OpenReadDialog();
  // Runs `write` once the user accepted any values outside their tables.
  void CheckValuesThen(const std::function<void()>& write);
  void OpenProgramSeveralDialog();
  // The report choice, remembered in the settings file; OK hands the ticked reports to `put_out`.
  void ChooseReports(const QString& title,
                     std::function<void(const print::ReportSelection&)> put_out);
  // The file dialogs start where the last one in this run ended; the first in the folder of the
  // open file or the program's folder. Each remembers the folder of the file chosen.
  QString StartFolder() const;
  QString AskOpenFile(const QString& title, const QString& filter, const QString& suffix);
  QString AskSaveFile(const QString& title, const QString& filter, const QString& suffix,
                      QString* chosen_filter = nullptr);
  void OnTabChanged(int index);
  // Shows the next (+1) or previous (-1) page the user is offered, round the end.
  void StepPage(int step);
  // A window-wide shortcut: the platform's keys for `standard` and the keys `also` lists.
  void AddShortcut(QKeySequence::StandardKey standard, QList<QKeySequence> also,
                   const std::function<void()>& act);
  void OnReadClosed(TransferDialog* dialog);
  // The program dialog, after any values outside their tables were accepted: the whole program
  // sequence, or with `changes_only` what the receiver is not known to hold. A write that
  // stopped part way offers "Write the Rest".
  void OpenWriteDialog(bool changes_only);
  // The knowledge of the receiver on the chosen port; none when it is of another port.
  const KnownImage* KnownHere() const;
  bool IsChosenPort(const QString& port) const;
  // A successful read: what the receiver holds is known, and the read is kept as a backup.
  void NoteRead(const TransferOutcome& outcome);
  // `next_receiver`: the write started from nothing known, into a receiver other than before.
  void NoteWrite(const TransferOutcome& outcome, bool next_receiver);
  // Drops what is known of the receiver when the chosen port is no longer its port.
  void ForgetOtherPorts();
  void ShowWritePreview();
  void OpenCompareReadDialog();
  void ShowComparison(const QString& title, const QString& heading,
                      const std::vector<ConfigDifference>& differences);
  // Shows the page of `place` and, for a channel or a band, selects it.
  void GoTo(const DifferencePlace& place);
  // Keeps a successful read from the current port as a backup; one that cannot be kept is said
  // in the status bar and changes nothing else.
  void KeepReadBackup(const RadioConfig& record, const MemoryImage& image);
  // Opens a backup's configuration as a new document without a file name, with the image as read.
  void OpenBackup(const ReceiverBackup& backup);
  // What the backup `from` says its receiver held when it was read (its time and its port as the
  // backup names it). Write Changes starts from it while that port is chosen.
  void TakeReceiverKnowledge(const KnownImage& known, const ReceiverBackup& from);
  // The backup's configuration against the open one, as Compare with File shows it.
  void CompareWithBackup(const ReceiverBackup& backup);

  Document document_;
  RadioJobs& jobs_;
  DocumentStorage& storage_;
  MainWindowSetup setup_;
  QString last_folder_;  // of the file last chosen in a file dialog; "" before the first
  link::PortChoice port_;

  QTabWidget* tabs_ = nullptr;
  SetModePage* set_mode_page_ = nullptr;
  MemoryPageWidget* memory_page_ = nullptr;
  SearchBandPage* band_page_ = nullptr;
  FactoryPage* factory_page_ = nullptr;
  int previous_tab_ = 0;
  QList<PendingEdits*> chosen_discards_;  // the pending-edit answers of the action under way
  bool leaving_ = false;                  // the questions before closing were answered: close now

  QMenu* edit_menu_ = nullptr;
  QMenu* port_menu_ = nullptr;
  QActionGroup* port_group_ = nullptr;
  std::array<QAction*, 4> com_actions_{};
  QAction* simulated_action_ = nullptr;
  QList<QAction*> system_port_actions_;
  QAction* system_ports_end_ = nullptr;
  QPointer<TransferDialog> transfer_dialog_;
  QPointer<SeveralReceiversDialog> several_dialog_;
  QPointer<BackupsDialog> backups_dialog_;
  QPointer<CompareDialog> compare_dialog_;
  QPointer<WritePreviewDialog> preview_dialog_;
  ReceiverKnowledge receiver_;
};

}  // namespace kestrel::ui
