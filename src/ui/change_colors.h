// How an edited field shows that its value waits for "Set": red text once it shows a value that
// differs from the stored one, and the palette's own text colour while it shows the stored value,
// so that a dark desktop theme stays readable. Colour alone is not enough for everyone to see, so
// a waiting value is also drawn in italics and its tooltip says what waits.
#pragma once

#include <QColor>
#include <QWidget>

class QTableWidgetItem;

namespace kestrel::ui {

inline const QColor kChangedColor(255, 0, 0);

// The tooltip of a value that waits for "Set".
QString WaitingForSetNote();

// Marks `widget` (a label, line edit or combo box) as waiting, or gives it the palette's colours
// and its upright font again.
void MarkChanged(QWidget* widget, bool changed);
// The same for one cell of a table.
void MarkChanged(QTableWidgetItem* item, bool changed);

// The text colour `widget` shows now.
QColor TextColor(const QWidget* widget);

}  // namespace kestrel::ui
