#include "ui/compare_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "model/cp1252.h"

namespace kestrel::ui {

void ShowDifferences(QListWidget* list, const std::vector<ConfigDifference>& differences) {
  list->clear();
  if (differences.empty()) {
    list->addItem(CompareDialog::tr("No differences"));
    return;
  }
  for (const ConfigDifference& difference : differences) {
    auto* item = new QListWidgetItem(QString::fromStdString(Cp1252ToUtf8(difference.text)), list);
    item->setData(Qt::UserRole, QVariant::fromValue(difference.place));
  }
  list->setCurrentRow(0);
}

CompareDialog::CompareDialog(const QString& title, const QString& heading,
                             const std::vector<ConfigDifference>& differences, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title);
  heading_ = new QLabel(heading, this);
  heading_->setWordWrap(true);
  list_ = new QListWidget(this);
  list_->setMinimumSize(520, 300);
  ShowDifferences(list_, differences);
  // Both a double-click and Enter activate a line.
  connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const QVariant place = item->data(Qt::UserRole);
    if (place.isValid()) emit PlaceChosen(place.value<DifferencePlace>());
  });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(list_);
  layout->addWidget(buttons);
}

}  // namespace kestrel::ui
