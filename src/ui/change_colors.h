// The two text colours of an edited field: red once it shows a value that differs from the
// stored one, and the palette's own text colour while it shows the stored value, so that a dark
// desktop theme stays readable.
#pragma once

#include <QColor>
#include <QWidget>

class QTableWidgetItem;

namespace kestrel::ui {

inline const QColor kChangedColor(255, 0, 0);

// Marks `widget` (a label, line edit or combo box) red, or gives it the palette's colours again.
void MarkChanged(QWidget* widget, bool changed);
// The same for one cell of a table.
void MarkChanged(QTableWidgetItem* item, bool changed);

// The text colour `widget` shows now.
QColor TextColor(const QWidget* widget);

}  // namespace kestrel::ui
