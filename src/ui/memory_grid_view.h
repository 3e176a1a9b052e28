// The grid of the Memory page: one row per channel under a fixed heading row, the channel
// numbers in a fixed column on the left (the row header), centred Arial 9 text. The columns fill
// the grid's width, each at least as wide as the page was drawn in twips (scaled with the screen)
// and as its heading. Rows are selected in one contiguous range for "Clear"; a double-click (or
// Enter) asks for the editor of the current row. F2, or typing, edits the current cell in place;
// Enter stores it and moves down a row, Tab stores it and moves right to the next cell that can
// be edited (Shift+Tab left), as in a spreadsheet; Esc cancels it. A cell the rules refuse stays
// where it is. The current cell has a frame of its own inside the selected row.
#pragma once

#include <QTableView>
#include <vector>

namespace kestrel::ui {

class MemoryGridModel;

class MemoryGridView : public QTableView {
  Q_OBJECT

 public:
  explicit MemoryGridView(QWidget* parent = nullptr);

  void SetGridModel(MemoryGridModel* model);

  // The channel of the current row (1 to 1000), and the channels of the selected range, the
  // current row included; 0 when there is no current row.
  int CurrentChannel() const;
  std::pair<int, int> SelectedChannelRange() const;
  // The channels of the selected rows and the current one, in ascending order.
  std::vector<int> SelectedChannels() const;

  // Makes channel `channel` the current row and the whole selection.
  void SelectChannel(int channel);
  // Makes channel `first` the current row and channels `first` to `last` the selection.
  void SelectChannels(int first, int last);
  // Makes the first of `channels` (ascending) the current row, scrolled into view, and all of
  // them the selection.
  void SelectChannels(const std::vector<int>& channels);

  // Makes `column` of channel `channel` the current cell, its row the selection, and scrolls
  // it into the middle of the grid.
  void GoToCell(int channel, int column);

  // A click on a column heading sorts the rows as shown by that column, programmed channels
  // first; a second click on it reverses them; the corner heading gives back the channels'
  // own order. The channels themselves do not move: the view only shows them in another order.
  void SortViewBy(int column);
  void ShowChannelOrder();
  // Hides the rows of empty channels, or shows every row again.
  void ShowProgrammedOnly(bool on);
  bool IsProgrammedOnly() const { return programmed_only_; }
  // Whether the rows are shown in another order than the channels', or some are hidden.
  bool IsSortedOrFiltered() const { return sorted_column_ >= 0 || programmed_only_; }

  // Whether a cell editor is open, and closing it with or without storing what it holds.
  // Returns false, leaving the editor open, when the rules refuse what it holds.
  bool IsEditingCell() const { return state() == EditingState; }
  bool FinishCellEdit(bool commit);

 signals:
  void ChannelActivated(int channel);
  // Ctrl+Enter in a cell editor, which is closed: `value` is meant for `column` of every
  // selected row.
  void FillRequested(int column, const QVariant& value);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void commitData(QWidget* editor) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyColumnWidths();
  void PaintCorner(QWidget* corner);
  // Makes the next cell right of `from` (left for a `step` below 0) that can be edited the
  // current one, going on into the next (previous) row at the row's end.
  void MoveToEditableCell(const QModelIndex& from, int step);

  void HideEmptyRows();

  int row_before_reset_ = 0;
  int sorted_column_ = -1;  // the column the view is sorted by; -1 in channel order
  bool descending_ = false;
  bool programmed_only_ = false;
  bool down_after_edit_ = false;  // Enter was pressed in the cell editor
  bool edit_refused_ = false;     // the rules refused what the cell editor committed last
};

}  // namespace kestrel::ui
