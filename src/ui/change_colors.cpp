#include "ui/change_colors.h"

#include <QPalette>
#include <QTableWidgetItem>

namespace kestrel::ui {

void MarkChanged(QWidget* widget, bool changed) {
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
  if (changed) {
    item->setForeground(kChangedColor);
  } else {
    item->setData(Qt::ForegroundRole, QVariant());  // drawn in the view's text colour
  }
}

QColor TextColor(const QWidget* widget) {
  return widget->palette().color(QPalette::Text);
}

}  // namespace kestrel::ui
