#include "ui/change_colors.h"

#include <QCoreApplication>
#include <QFont>
#include <QPalette>
#include <QTableWidgetItem>

namespace kestrel::ui {

QString WaitingForSetNote() {
  return QCoreApplication::translate(
      "kestrel::ui", "Changed, not stored yet: \"Set\" stores it, \"Clear\" drops it.");
}

void MarkChanged(QWidget* widget, bool changed) {
  // The font's other attributes (a page's own face and size) stay as they are.
  QFont font = widget->font();
  font.setItalic(changed);
  widget->setFont(font);
  if (changed) {
    widget->setToolTip(WaitingForSetNote());
  } else if (widget->toolTip() == WaitingForSetNote()) {
    widget->setToolTip(QString());
  }
  if (!changed) {
    // An empty palette sets no colour: the widget follows the theme again.
    widget->setPalette(QPalette());
    return;
  }
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, kChangedColor);
  palette.setColor(QPalette::Text, kChangedColor);
  palette.setColor(QPalette::ButtonText, kChangedColor);
  widget->setPalette(palette);
}

void MarkChanged(QTableWidgetItem* item, bool changed) {
  QFont font = item->font();
  font.setItalic(changed);
  item->setFont(font);
  if (changed) {
    item->setForeground(kChangedColor);
    item->setToolTip(WaitingForSetNote());
  } else {
    item->setData(Qt::ForegroundRole, QVariant());  // drawn in the view's text colour
    item->setToolTip(QString());
  }
}

QColor TextColor(const QWidget* widget) {
  return widget->palette().color(QPalette::Text);
}

}  // namespace kestrel::ui
