#include "ui/typed_list_box.h"

#include <QApplication>
#include <QKeyEvent>

namespace kestrel::ui {

int EntryTypedAs(const QStringList& entries, const QString& typed) {
  if (typed.isEmpty()) return -1;
  // A search never holds a blank, so trimming the entry's end as well changes no match.
  for (int i = 0; i < entries.size(); ++i) {
    if (entries[i].trimmed().startsWith(typed, Qt::CaseInsensitive)) return i;
  }
  return -1;
}

void TypedListBox::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const bool searches = !text.isEmpty() && text[0].isPrint() && !text[0].isSpace() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (!searches) {
    QComboBox::keyPressEvent(event);
    return;
  }
  if (!since_last_key_.isValid() ||
      since_last_key_.elapsed() > QApplication::keyboardInputInterval())
    typed_.clear();
  since_last_key_.start();
  QStringList entries;
  for (int i = 0; i < count(); ++i) entries << itemText(i);
  // A key that matches nothing starts a new search of its own, as lists do.
  int found = EntryTypedAs(entries, typed_ + text);
  typed_ += text;
  if (found < 0) {
    typed_ = text;
    found = EntryTypedAs(entries, typed_);
  }
  if (found >= 0) setCurrentIndex(found);
  event->accept();
}

}  // namespace kestrel::ui
