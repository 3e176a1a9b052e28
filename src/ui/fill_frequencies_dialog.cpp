#include "ui/fill_frequencies_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "model/channel_rules.h"
#include "model/frequency_text.h"
#include "ui/memory_grid_model.h"

namespace kestrel::ui {

namespace {

QLabel* Caption(const QString& text, QWidget* field) {
  auto* label = new QLabel(text);
  label->setBuddy(field);
  field->setAccessibleName(QString(text).remove(u'&').remove(u':'));
  return label;
}

}  // namespace

FillFrequenciesDialog::FillFrequenciesDialog(QWidget* parent, const QString& start_mhz,
                                             std::function<bool(const Values&)> answered)
    : QDialog(parent),
      start_(new QLineEdit(start_mhz)),
      step_(new QLineEdit(QStringLiteral("25"))),
      mode_(new QComboBox),
      answered_(std::move(answered)) {
  setWindowTitle(tr("Fill Frequencies"));
  setAttribute(Qt::WA_DeleteOnClose);
  for (QLineEdit* field : {start_, step_}) {
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9.]*"), field));
  }
  // The blank entry is no mode: the list offers FM, WFM and AM.
  const QStringList modes = MemoryGridModel::ListEntries(MemoryGridModel::kModeColumn).mid(1);
  mode_->addItems(modes);
  const auto follow_band = [this] {
    if (mode_chosen_ || start_->text().isEmpty()) return;
    mode_->setCurrentIndex(BandMode(EntryHz(start_->text().toStdString())) - 1);
  };
  follow_band();
  connect(start_, &QLineEdit::textEdited, this, follow_band);
  connect(mode_, &QComboBox::activated, this, [this] { mode_chosen_ = true; });
  start_->selectAll();

  auto* fields = new QFormLayout;
  fields->addRow(Caption(tr("&Start frequency (MHz):"), start_), start_);
  fields->addRow(Caption(tr("S&tep (kHz):"), step_), step_);
  fields->addRow(Caption(tr("&Mode:"), mode_), mode_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &FillFrequenciesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &FillFrequenciesDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
}

void FillFrequenciesDialog::accept() {
  if (!answered_({start_->text(), step_->text(), mode_->currentIndex() + 1})) return;
  QDialog::accept();
}

}  // namespace kestrel::ui
