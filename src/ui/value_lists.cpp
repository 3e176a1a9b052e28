#include "ui/value_lists.h"

#include <QComboBox>

namespace kestrel::ui {

QString EntryText(std::string_view entry) {
  return QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size()));
}

QStringList Entries(ValueTable table) {
  QStringList entries;
  for (const std::string_view entry : table) entries << EntryText(entry);
  return entries;
}

void SelectPosition(QComboBox* list, int position) {
  list->setCurrentIndex(ShownPosition(position, list->count()));
}

}  // namespace kestrel::ui
