#include "ui/change_colors.h"

#include <QPalette>

namespace kestrel::ui {

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  palette.setColor(QPalette::ButtonText, color);
  widget->setPalette(palette);
}

QColor TextColor(const QWidget* widget) {
  return widget->palette().color(QPalette::Text);
}

}  // namespace kestrel::ui
