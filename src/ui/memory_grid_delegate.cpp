#include "ui/memory_grid_delegate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "model/channel.h"
#include "ui/feedback.h"
#include "ui/memory_grid_model.h"
#include "ui/name_validator.h"
#include "ui/typed_list_box.h"

namespace kestrel::ui {

void MemoryGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  if (!view || view->currentIndex() != index) return;
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  QPen pen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight));
  pen.setWidth(kCurrentFrameWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  painter->save();
  painter->setPen(pen);
  painter->setBrush(Qt::NoBrush);
  // A pen of width w is centred on its line: inset by half of it to stay inside the cell.
  const int half = kCurrentFrameWidth / 2;
  painter->drawRect(option.rect.adjusted(half, half, -half, -half));
  painter->restore();
}

QWidget* MemoryGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
  const int column = index.column();
  if (MemoryGridModel::IsListColumn(column)) {
    auto* list = new TypedListBox(parent);
    const QStringList entries = MemoryGridModel::ListEntries(column);
    const auto* model = qobject_cast<const MemoryGridModel*>(index.model());
    for (const int position :
         model->ListChoices(MemoryGridModel::ChannelOfRow(index.row()), column)) {
      list->addItem(entries.value(position), position);
    }
    list->setMaxVisibleItems(16);
    return list;
  }
  auto* field = new QLineEdit(parent);
  if (column == MemoryGridModel::kFrequencyColumn) {
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9.]*"), field));
  } else if (column == MemoryGridModel::kNameColumn) {
    field->setMaxLength(static_cast<int>(kNameLength));
    field->setValidator(new ChannelNameValidator(field));
  } else {
    delete field;
    return QStyledItemDelegate::createEditor(parent, option, index);
  }
  field->setAlignment(Qt::AlignCenter);
  connect(field, &QLineEdit::inputRejected, field, [] { CurrentFeedback().Beep(); });
  return field;
}

void MemoryGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    list->setCurrentIndex(list->findData(index.data(Qt::EditRole)));
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void MemoryGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    // A stored position the list does not hold stays as it is until an entry is chosen.
    if (list->currentIndex() >= 0) model->setData(index, list->currentData(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

QVariant MemoryGridDelegate::EditorValue(QWidget* editor) {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    return list->currentIndex() >= 0 ? list->currentData() : QVariant(-1);
  }
  if (auto* field = qobject_cast<QLineEdit*>(editor)) return field->text();
  return {};
}

bool MemoryGridDelegate::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
      if (auto* editor = qobject_cast<QWidget*>(watched)) emit FillRequested(editor);
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(watched, event);
}

}  // namespace kestrel::ui
