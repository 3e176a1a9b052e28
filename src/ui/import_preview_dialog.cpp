#include "ui/import_preview_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/display_texts.h"
#include "ui/finding_text.h"

namespace kestrel::ui {

ImportPreviewDialog::ImportPreviewDialog(std::string text, QString source, RadioConfig base,
                                         int current, QWidget* parent)
    : QDialog(parent),
      text_(std::move(text)),
      source_(std::move(source)),
      base_(std::move(base)),
      current_(current) {
  setWindowTitle(tr("Import Channels from %1").arg(source_));
  auto* layout = new QVBoxLayout(this);
  at_location_ = new QRadioButton(tr("At their &Location (or the first empty channels)"), this);
  from_current_ = new QRadioButton(tr("&From channel %1 (the current row)")
                                       .arg(QString::fromStdString(ChannelNumberText(current_))),
                                   this);
  at_location_->setChecked(true);
  summary_ = new QLabel(this);
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  notes_ = new QPlainTextEdit(this);
  notes_->setReadOnly(true);
  notes_->setAccessibleName(tr("Rows left out and channels written over"));
  notes_->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* buttons = new QDialogButtonBox(this);
  import_ = buttons->addButton(tr("&Import"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  layout->addWidget(at_location_);
  layout->addWidget(from_current_);
  layout->addWidget(summary_);
  layout->addWidget(notes_, 1);
  layout->addWidget(buttons);
  connect(at_location_, &QRadioButton::toggled, this, &ImportPreviewDialog::Preview);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(640, 360);
  Preview();
}

QString ImportPreviewDialog::Summary() const {
  return summary_->text();
}

void ImportPreviewDialog::Preview() {
  ImportOptions options;
  options.skip_bad = true;
  if (from_current_->isChecked()) options.at = current_;
  result_ = ImportChannels(text_, base_, options);
  const auto counted = [](qsizetype n, const QString& one, const QString& many) {
    return (n == 1 ? one : many).arg(n);
  };
  QString summary = tr("No channel can be imported.");
  if (!result_.refused) {
    summary = counted(result_.imported, tr("%1 channel will be stored"),
                      tr("%1 channels will be stored")) +
              "; " + counted(result_.left_out, tr("%1 row left out"), tr("%1 rows left out")) +
              "; " +
              counted(static_cast<qsizetype>(result_.overwritten.size()),
                      tr("%1 programmed channel written over."),
                      tr("%1 programmed channels written over."));
  }
  summary_->setText(summary);
  QStringList lines;
  for (const Finding& note : result_.problems) lines << FindingLine(note, source_);
  for (const Finding& note : result_.warnings) lines << FindingLine(note, source_);
  if (!result_.overwritten.empty()) {
    QStringList numbers;
    for (const int number : result_.overwritten) {
      numbers << QString::fromStdString(ChannelNumberText(number));
    }
    lines << tr("Written over: %1").arg(numbers.join(", "));
  }
  notes_->setPlainText(lines.join('\n'));
  import_->setEnabled(!result_.refused && result_.imported > 0);
}

}  // namespace kestrel::ui
