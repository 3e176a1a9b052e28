#include "ui/grid_prompt.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kestrel::ui {

GridPrompt::GridPrompt(QWidget* parent, const QString& title, const QString& caption,
                       const QString& text, std::function<bool(const QString&)> answered)
    : QDialog(parent), field_(new QLineEdit(text)), answered_(std::move(answered)) {
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* label = new QLabel(caption);
  label->setBuddy(field_);
  field_->setAccessibleName(QString(caption).remove(u'&').remove(u':'));
  field_->selectAll();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &GridPrompt::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &GridPrompt::reject);
  auto* fields = new QFormLayout;
  fields->addRow(label, field_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
}

void GridPrompt::accept() {
  if (!answered_(field_->text())) {
    field_->selectAll();
    field_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace kestrel::ui
