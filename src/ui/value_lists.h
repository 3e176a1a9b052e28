// Drop-down lists filled from value tables: the entries as the user sees them, and the stored
// position shown in a list, which leaves the list unselected for a value it does not hold.
#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

#include "model/value_tables.h"

class QComboBox;

namespace kestrel::ui {

// A table entry as the lists show it (the tables hold plain ASCII).
QString EntryText(std::string_view entry);
QStringList Entries(ValueTable table);

// Selects `position` in `list`, or no entry when the list has none at that position.
void SelectPosition(QComboBox* list, int position);

}  // namespace kestrel::ui
