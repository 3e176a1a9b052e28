// The two text colours of an edited field: black while it shows the stored value, red once it
// shows a value that differs from it.
#pragma once

#include <QColor>
#include <QWidget>

namespace kestrel::ui {

inline const QColor kUnchangedColor(0, 0, 0);
inline const QColor kChangedColor(255, 0, 0);

// Sets the text colour of `widget` (a label, line edit or combo box) through its palette.
void SetTextColor(QWidget* widget, const QColor& color);
QColor TextColor(const QWidget* widget);

}  // namespace kestrel::ui
