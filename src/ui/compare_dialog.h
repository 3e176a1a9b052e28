// The differences between two configurations as a list, one line each in the words of the
// grid and the pages; "No differences" when there are none. Double-click or Enter on a line asks
// the window to go to its channel or page. It does not block the window.
#pragma once

#include <QDialog>
#include <vector>

#include "model/config_diff.h"

class QLabel;
class QListWidget;

Q_DECLARE_METATYPE(kestrel::DifferencePlace)

namespace kestrel::ui {

// Fills `list` with one line per difference, each holding its place; "No differences" alone,
// without a place, when there are none.
void ShowDifferences(QListWidget* list, const std::vector<ConfigDifference>& differences);

class CompareDialog : public QDialog {
  Q_OBJECT

 public:
  // `heading` says what is compared with what ("From backup.dat to the open configuration:").
  CompareDialog(const QString& title, const QString& heading,
                const std::vector<ConfigDifference>& differences, QWidget* parent);

  QListWidget* List() const { return list_; }
  QLabel* Heading() const { return heading_; }

 signals:
  void PlaceChosen(const DifferencePlace& place);

 private:
  QLabel* heading_ = nullptr;
  QListWidget* list_ = nullptr;
};

}  // namespace kestrel::ui
