// The grid of the Memory page: one row per channel under a fixed heading row, the channel
// numbers in a fixed column on the left (the row header), centred Arial 9 text. The columns fill
// the grid's width, each at least as wide as the page was drawn in twips (scaled with the screen)
// and as its heading. Rows are selected in one contiguous
// range for "Clear"; a double-click (or Enter) asks for the editor of the current row.
#pragma once

#include <QTableView>

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

  // Makes channel `channel` the current row and the whole selection.
  void SelectChannel(int channel);

 signals:
  void ChannelActivated(int channel);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyColumnWidths();
  void PaintCorner(QWidget* corner);

  int row_before_reset_ = 0;
};

}  // namespace kestrel::ui
