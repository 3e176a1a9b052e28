// The editors of the Memory grid's cells: a text field for the frequency (digits and "." only,
// anything else refused with a beep, as in the channel editor) and for the name (six characters
// the receiver can show), and a list of the value table's entries for Mode, TONE SELECT and the
// tone values. What an editor commits goes to the grid model, which applies the channel rules.
// Ctrl+Enter in an editor asks for its value to go into every selected row instead.
// The view's current cell is drawn with a frame in the selection's text colour, so that it stands
// out inside the selected row.
#pragma once

#include <QStyledItemDelegate>

namespace kestrel::ui {

class MemoryGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // The frame's width in pixels, drawn inside the cell.
  static constexpr int kCurrentFrameWidth = 2;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

  // What `editor` holds as the model takes it: its text, or a list's position (-1 for none).
  static QVariant EditorValue(QWidget* editor);

 signals:
  void FillRequested(QWidget* editor);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kestrel::ui
