#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

namespace kestrel::ui {

// The first entry that begins with `typed` once the entry's leading blanks are set aside, ignoring
// case; -1 when none does. The tone lists align their numbers with blanks (" 67.0"), and a user
// types the number.
int EntryTypedAs(const QStringList& entries, const QString& typed);

// A drop-down list that picks its entry as the user types it, the entries' leading blanks
// ignored: keys typed within the keyboard input interval add to the same search, as in any list.
class TypedListBox : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString typed_;
  QElapsedTimer since_last_key_;
};

}  // namespace kestrel::ui
