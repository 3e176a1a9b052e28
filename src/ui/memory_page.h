// The "Memory" page: the grid of the 1000 channels in the frame "Model Kestrel", and the buttons
// "Clear" (the selected rows), "Clear All", "Read" and "Write". A double-click on a row opens
// the channel editor for it; cells are edited in place too. The page's commands work on the
// selected rows: the clipboard (tab-separated text a spreadsheet takes and gives back), Delete,
// inserting and removing channels, moving them and sorting them. Each change is one step of the
// document's undo history.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "model/channel_list.h"
#include "ui/pending_edits.h"

class QAction;
class QPushButton;

namespace kestrel::ui {

class ChannelEditorDialog;
class Document;
class MemoryGridModel;
class MemoryGridView;

class MemoryPage : public QWidget, public PendingEdits {
  Q_OBJECT

 public:
  MemoryPage(Document& document, QWidget* parent = nullptr);

  MemoryGridView* Grid() const { return grid_; }
  MemoryGridModel* GridModel() const { return model_; }

  // The channel of the grid's current row (1 to 1000; 0 when there is none).
  int CurrentChannel() const;
  // Puts the grid's current cell on the Frequency of `channel`, with the focus.
  void GoToChannel(int channel);
  void FocusGrid();

  // Opens the editor for channel `channel` (window-modal, without waiting for it to close).
  ChannelEditorDialog* OpenChannelEditor(int channel);

  // Cut, Copy, Paste and Delete, for the Edit menu; their keys work while the grid has the
  // focus.
  QList<QAction*> EditActions() const;
  // Every command of the grid's context menu, in menu order (nullptr for a separator).
  QList<QAction*> ContextActions() const;
  // Go to Channel (Ctrl+G), Find (Ctrl+F), Find Next (F3), Find Previous (Shift+F3) and Fill
  // Frequencies, for the Edit menu; their keys work while the grid has the focus.
  QList<QAction*> FindActions() const;
  // "Show Programmed Channels Only", for the View menu.
  QList<QAction*> ViewActions() const { return {programmed_only_}; }

  // Pending here: a cell being edited, or an empty channel that lacks its frequency or mode.
  QString PageName() const override;
  bool HasPendingChanges() const override;
  bool SetPendingChanges() override;
  void DiscardPendingChanges() override;

 public slots:
  // Shows the record again after it was replaced (New, Open, a read).
  void Reload();
  // Empties the channels of the selected rows / every channel, without asking: both can be
  // undone.
  void ClearSelectedChannels();
  void ClearAllChannels();
  void CopySelectedChannels();
  void CutSelectedChannels();
  // Text with a header row: writes the channels on the clipboard from the current row down, all
  // of them or, when the rules refuse one, none. Text without one: its cells go into the grid
  // by position, from the current cell down and right, as typing them would; the cells the
  // rules refuse are listed and left as they were. Either is one step of the history.
  void PasteChannels();
  // As many empty channels as rows are selected, before the first selected one.
  void InsertEmptyChannels();
  void RemoveSelectedChannels();
  void MoveSelectedChannels(int by);
  void SortSelectedChannels(ChannelOrder order);
  // Asks for a channel number, 000 to 999, and makes that channel's Frequency cell current.
  void AskGoToChannel();
  // Asks for a text and finds it in the Frequency and NAME cells as the grid shows them, after
  // the current cell; FindNext(-1) looks before it. Both wrap around the grid and say in the
  // status bar where the text was found, or that it was not.
  void AskFind();
  void FindNext(int direction);
  // Stores `value` in `column` of every selected channel (Ctrl+Enter in a cell editor), as one
  // step; the channels the rules refuse it are listed and keep what they hold.
  void FillSelectedChannels(int column, const QVariant& value);
  // Asks for a start frequency, a step and a mode and puts them into the selected channels:
  // the first gets the start, each next one step more.
  void AskFillFrequencies();

 signals:
  void ReadRequested();
  void WriteRequested();

 private:
  QAction* AddCommand(const QString& text, const QKeySequence& keys, std::function<void()> run);
  void ShowContextMenu(const QPoint& at);
  // The selected channels a command works on, after storing the cell being edited; {0, 0} when
  // nothing is selected or the rules refuse that cell.
  std::pair<int, int> TargetRows();
  void ClearChannels(const std::vector<int>& channels, const QString& verb);
  // Before a command that moves channels or fills them by position: a sorted or filtered view
  // shows every channel in channel order again, and the status bar says so.
  void ToChannelOrder();
  void PasteByPosition(const std::string& text, int first);
  // Tells what a change of channels `first` to `last` left as it was, or that it is done.
  void ReportRefusals(const QString& done, const QStringList& refusals);
  // Refuses, saying why, when a draft lies in channels `first` to `last`.
  bool RefusedForDrafts(int first, int last, const QString& what);
  void Refuse(const QString& why);

  Document& document_;
  MemoryGridModel* model_;
  MemoryGridView* grid_;
  QAction* cut_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* delete_ = nullptr;
  QList<QAction*> context_actions_;
  QList<QAction*> find_actions_;
  QAction* programmed_only_ = nullptr;
  QString find_text_;  // what Find looked for last; F3 looks for it again
};

}  // namespace kestrel::ui
