#include "ui/memory_grid_view.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <algorithm>
#include <numeric>
#include <tuple>
#include <utility>
#include <vector>

#include "ui/feedback.h"
#include "ui/memory_grid_delegate.h"
#include "ui/memory_grid_model.h"
#include "ui/page_layout.h"

namespace kestrel::ui {

namespace {

bool IsCtrlLeftPress(const QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress) return false;
  const auto* mouse = static_cast<const QMouseEvent*>(event);
  const Qt::KeyboardModifiers held = mouse->modifiers();
  return mouse->button() == Qt::LeftButton && held.testFlag(Qt::ControlModifier) &&
         !held.testFlag(Qt::ShiftModifier) && !held.testFlag(Qt::AltModifier);
}

bool IsLeftDoubleClick(const QEvent* event) {
  return event->type() == QEvent::MouseButtonDblClick &&
         static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

}  // namespace

MemoryGridView::MemoryGridView(QWidget* parent) : QTableView(parent) {
  setFont(QFont(QStringLiteral("Arial"), 9));
  setEditTriggers(EditKeyPressed | AnyKeyPressed);
  auto* delegate = new MemoryGridDelegate(this);
  setItemDelegate(delegate);
  connect(delegate, &MemoryGridDelegate::FillRequested, this, [this](QWidget* editor) {
    const QVariant value = MemoryGridDelegate::EditorValue(editor);
    const int column = currentIndex().column();
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    emit FillRequested(column, value);
  });
  setSelectionBehavior(SelectRows);
  setSelectionMode(ContiguousSelection);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);

  const int row_height = fontMetrics().height() + 6;
  QHeaderView* rows = verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(row_height);
  rows->setDefaultSectionSize(row_height);
  rows->setDefaultAlignment(Qt::AlignCenter);
  rows->setHighlightSections(true);

  QHeaderView* columns = horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->setDefaultAlignment(Qt::AlignCenter);
  columns->setHighlightSections(false);
  columns->setMinimumSectionSize(0);

  for (QWidget* surface : {viewport(), rows->viewport(), columns->viewport()}) {
    surface->installEventFilter(this);
  }
  // The row header's heading sits in the corner; the corner has no heading of its own. A click
  // on it gives back the channel order instead of selecting every cell.
  if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
    corner->installEventFilter(this);
    disconnect(corner, nullptr, this, nullptr);
    connect(corner, &QAbstractButton::clicked, this, &MemoryGridView::ShowChannelOrder);
  }
  columns->setSectionsClickable(true);
  connect(columns, &QHeaderView::sectionClicked, this, &MemoryGridView::SortViewBy);
}

void MemoryGridView::SetGridModel(MemoryGridModel* model) {
  setModel(model);
  connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
          [this] { row_before_reset_ = std::max(0, currentIndex().row()); });
  connect(model, &QAbstractItemModel::modelReset, this,
          [this] { SelectChannel(MemoryGridModel::ChannelOfRow(row_before_reset_)); });
  connect(model, &MemoryGridModel::Refused, this, [this] { edit_refused_ = true; });
  // The number lives in the fixed row header; the spacer column is too narrow to see.
  setColumnHidden(MemoryGridModel::kNumberColumn, true);
  setColumnHidden(MemoryGridModel::kSpacerColumn, true);
  connect(model, &QAbstractItemModel::dataChanged, this, [this] {
    if (programmed_only_) HideEmptyRows();
  });
  ApplyColumnWidths();
  SelectChannel(1);
}

void MemoryGridView::ApplyColumnWidths() {
  std::vector<int> least_twips;
  for (int column = 0; column < MemoryGridModel::kColumnCount; ++column) {
    least_twips.push_back(MemoryGridModel::ColumnWidthTwips(column));
  }
  verticalHeader()->setFixedWidth(TwipsToPixels(this, least_twips[MemoryGridModel::kNumberColumn]));
  FitColumns(this, least_twips);
}

void MemoryGridView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  ApplyColumnWidths();
}

void MemoryGridView::SortViewBy(int column) {
  if (!model() || column < MemoryGridModel::kFrequencyColumn) return;
  if (!FinishCellEdit(true)) return;
  descending_ = column == sorted_column_ && !descending_;
  sorted_column_ = column;
  // Empty channels last either way; equal cells keep the channel order.
  struct Key {
    bool empty;
    double number;
    QString text;
  };
  const int rows = model()->rowCount();
  std::vector<Key> keys;
  keys.reserve(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    const QString text = model()->index(row, column).data().toString();
    const QString frequency =
        model()->index(row, MemoryGridModel::kFrequencyColumn).data().toString();
    keys.push_back({frequency.isEmpty(),
                    column == MemoryGridModel::kFrequencyColumn ? frequency.toDouble() : 0.0,
                    text.trimmed().toCaseFolded()});
  }
  std::vector<int> order(static_cast<std::size_t>(rows));
  std::iota(order.begin(), order.end(), 0);
  std::ranges::stable_sort(order, [&keys, this](int a, int b) {
    const Key& x = keys[static_cast<std::size_t>(a)];
    const Key& y = keys[static_cast<std::size_t>(b)];
    if (x.empty != y.empty) return y.empty;
    if (descending_) return std::tie(y.number, y.text) < std::tie(x.number, x.text);
    return std::tie(x.number, x.text) < std::tie(y.number, y.text);
  });
  QHeaderView* header = verticalHeader();
  {
    const QSignalBlocker quiet(header);  // one redraw at the end, not one per row
    for (int visual = 0; visual < rows; ++visual) {
      header->moveSection(header->visualIndex(order[static_cast<std::size_t>(visual)]), visual);
    }
  }
  horizontalHeader()->setSortIndicatorShown(true);
  horizontalHeader()->setSortIndicator(column,
                                       descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
  updateGeometries();
  viewport()->update();
  header->viewport()->update();
  if (currentIndex().isValid()) scrollTo(currentIndex());
}

void MemoryGridView::ShowChannelOrder() {
  if (sorted_column_ < 0) return;
  sorted_column_ = -1;
  descending_ = false;
  QHeaderView* header = verticalHeader();
  {
    const QSignalBlocker quiet(header);
    for (int row = 0; row < header->count(); ++row) {
      header->moveSection(header->visualIndex(row), row);
    }
  }
  horizontalHeader()->setSortIndicatorShown(false);
  updateGeometries();
  viewport()->update();
  header->viewport()->update();
  if (currentIndex().isValid()) scrollTo(currentIndex());
}

void MemoryGridView::ShowProgrammedOnly(bool on) {
  programmed_only_ = on;
  if (on) {
    HideEmptyRows();
  } else {
    for (int row = 0; model() && row < model()->rowCount(); ++row) setRowHidden(row, false);
  }
}

void MemoryGridView::HideEmptyRows() {
  for (int row = 0; row < model()->rowCount(); ++row) {
    setRowHidden(
        row, model()->index(row, MemoryGridModel::kFrequencyColumn).data().toString().isEmpty());
  }
}

int MemoryGridView::CurrentChannel() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? MemoryGridModel::ChannelOfRow(current.row()) : 0;
}

std::pair<int, int> MemoryGridView::SelectedChannelRange() const {
  const int current = CurrentChannel();
  if (current == 0) return {0, 0};
  int first = current;
  int last = current;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    first = std::min(first, MemoryGridModel::ChannelOfRow(range.top()));
    last = std::max(last, MemoryGridModel::ChannelOfRow(range.bottom()));
  }
  return {first, last};
}

std::vector<int> MemoryGridView::SelectedChannels() const {
  std::vector<int> channels;
  if (CurrentChannel() != 0) channels.push_back(CurrentChannel());
  for (const QModelIndex& row : selectionModel()->selectedRows()) {
    channels.push_back(MemoryGridModel::ChannelOfRow(row.row()));
  }
  std::ranges::sort(channels);
  const auto [end, last] = std::ranges::unique(channels);
  channels.erase(end, last);
  return channels;
}

void MemoryGridView::SelectChannel(int channel) {
  if (!model()) return;
  const QModelIndex cell =
      model()->index(MemoryGridModel::RowOfChannel(channel), MemoryGridModel::kFrequencyColumn);
  selectionModel()->setCurrentIndex(
      cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void MemoryGridView::SelectChannels(int first, int last) {
  if (!model()) return;
  SelectChannel(first);
  selectionModel()->select(QItemSelection(model()->index(MemoryGridModel::RowOfChannel(first), 0),
                                          model()->index(MemoryGridModel::RowOfChannel(last), 0)),
                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void MemoryGridView::SelectChannels(const std::vector<int>& channels) {
  if (!model() || channels.empty()) return;
  SelectChannel(channels.front());
  QItemSelection rows;
  for (std::size_t first = 0; first < channels.size();) {
    std::size_t end = first + 1;
    while (end < channels.size() && channels[end] == channels[end - 1] + 1) ++end;
    rows.select(model()->index(MemoryGridModel::RowOfChannel(channels[first]), 0),
                model()->index(MemoryGridModel::RowOfChannel(channels[end - 1]), 0));
    first = end;
  }
  selectionModel()->select(rows, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  scrollTo(currentIndex());
}

void MemoryGridView::GoToCell(int channel, int column) {
  if (!model()) return;
  const QModelIndex cell = model()->index(MemoryGridModel::RowOfChannel(channel), column);
  selectionModel()->setCurrentIndex(
      cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(cell, PositionAtCenter);
  setFocus();
}

bool MemoryGridView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && watched != viewport() && watched->parent() == this &&
      qobject_cast<QAbstractButton*>(watched)) {
    PaintCorner(static_cast<QWidget*>(watched));
    return true;
  }
  if (IsCtrlLeftPress(event)) {
    CurrentFeedback().Information(window(), tr("Kestrel Programming Tool"),
                                  tr("Ctrl Key + LeftClick"));
    return true;
  }
  if (IsLeftDoubleClick(event)) {
    // The row under the pointer, on the cells or on its number; the headings keep the current.
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    int row = -1;
    if (watched == viewport()) row = indexAt(at).row();
    if (watched == verticalHeader()->viewport()) row = verticalHeader()->logicalIndexAt(at);
    if (row >= 0) SelectChannel(MemoryGridModel::ChannelOfRow(row));
    if (CurrentChannel() == 0) return true;
    emit ChannelActivated(CurrentChannel());
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

bool MemoryGridView::FinishCellEdit(bool commit) {
  QWidget* editor = indexWidget(currentIndex());
  if (!IsEditingCell() || !editor) return true;
  if (commit) {
    bool refused = false;
    const auto listening = connect(static_cast<MemoryGridModel*>(model()),
                                   &MemoryGridModel::Refused, this, [&refused] { refused = true; });
    commitData(editor);
    disconnect(listening);
    if (refused) return false;
  }
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  return true;
}

void MemoryGridView::commitData(QWidget* editor) {
  edit_refused_ = false;
  QTableView::commitData(editor);
}

void MemoryGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const QModelIndex edited = currentIndex();
  const bool stored = !edit_refused_ && hint != QAbstractItemDelegate::RevertModelCache;
  const bool down = std::exchange(down_after_edit_, false);
  edit_refused_ = false;
  const bool across = hint == QAbstractItemDelegate::EditNextItem ||
                      hint == QAbstractItemDelegate::EditPreviousItem;
  // The moves are the grid's own: the view's would open an editor in the next cell.
  QTableView::closeEditor(editor, across ? QAbstractItemDelegate::NoHint : hint);
  if (!stored || !edited.isValid()) return;
  if (across) {
    MoveToEditableCell(edited, hint == QAbstractItemDelegate::EditNextItem ? 1 : -1);
  } else if (down && edited.row() + 1 < model()->rowCount()) {
    GoToCell(MemoryGridModel::ChannelOfRow(edited.row() + 1), edited.column());
  }
}

void MemoryGridView::MoveToEditableCell(const QModelIndex& from, int step) {
  const int columns = model()->columnCount();
  const int cells = model()->rowCount() * columns;
  for (int at = from.row() * columns + from.column() + step; at >= 0 && at < cells; at += step) {
    const QModelIndex cell = model()->index(at / columns, at % columns);
    if (isColumnHidden(cell.column()) || !cell.flags().testFlag(Qt::ItemIsEditable)) continue;
    GoToCell(MemoryGridModel::ChannelOfRow(cell.row()), cell.column());
    return;
  }
}

void MemoryGridView::keyPressEvent(QKeyEvent* event) {
  // Enter in a cell editor stores it, from the event loop, and then moves down; the editor
  // passes the key on, and it must not open the channel editor as well.
  if (IsEditingCell()) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      down_after_edit_ = true;
    }
    QTableView::keyPressEvent(event);
    return;
  }
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      event->modifiers() == Qt::NoModifier && CurrentChannel() != 0) {
    emit ChannelActivated(CurrentChannel());
    return;
  }
  QTableView::keyPressEvent(event);
}

void MemoryGridView::PaintCorner(QWidget* corner) {
  QStylePainter painter(corner);
  QStyleOptionHeader option;
  option.initFrom(corner);
  option.rect = corner->rect();
  // The corner selects nothing, but its heading must read like the others.
  option.state |= QStyle::State_Enabled;
  option.palette = horizontalHeader()->palette();
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.text = tr("No.");
  option.textAlignment = Qt::AlignCenter;
  painter.setFont(horizontalHeader()->font());
  painter.drawControl(QStyle::CE_Header, option);
}

}  // namespace kestrel::ui
