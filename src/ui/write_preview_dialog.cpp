#include "ui/write_preview_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/range_lists.h"
#include "link/time_estimate.h"
#include "ui/compare_dialog.h"

namespace kestrel::ui {

namespace {

// "3 s", "1 min 05 s": the time left's words without "left".
QString Duration(std::uint64_t ms) {
  QString text = QString::fromStdString(link::TimeLeftText(ms));
  text.chop(QStringLiteral(" left").size());
  return text;
}

}  // namespace

QString WritePreviewDialog::WriteCaption(std::size_t changes) {
  return changes == 1 ? tr("Write 1 change") : tr("Write %1 changes").arg(changes);
}

QString WritePreviewDialog::SummaryText(const WritePreview& preview, const QString& known_from) {
  const std::size_t all = link::CommandCount(link::BuildProgramList());
  QString text = tr("What the receiver holds is known from what was %1.").arg(known_from) + u'\n';
  text += (preview.commands == 1 ? tr("1 command of %2, about %3 (Write takes %4).")
                                 : tr("%1 commands of %2, about %3 (Write takes %4)."))
              .arg(preview.commands)
              .arg(all)
              .arg(Duration(preview.ms), Duration(preview.full_ms));
  if (preview.unseen > 0) {
    text +=
        u'\n' + (preview.unseen == 1
                     ? tr("1 command restores values the pages do not show.")
                     : tr("%1 commands restore values the pages do not show.").arg(preview.unseen));
  }
  if (preview.always > 0) {
    text +=
        u'\n' + (preview.always == 1
                     ? tr("1 command holds bytes that every write sends.")
                     : tr("%1 commands hold bytes that every write sends.").arg(preview.always));
  }
  text += QStringLiteral("\n\n") +
          tr("Every command sent carries this configuration's bytes; everything left out stays "
             "as the receiver held it when it was last read or written. A setting or channel "
             "changed on the receiver's own keys since then, and not changed here, stays as the "
             "receiver has it: Write makes the receiver hold exactly this configuration.");
  return text;
}

WritePreviewDialog::WritePreviewDialog(const WritePreview& preview, const QString& known_from,
                                       QWidget* parent)
    : QDialog(parent), preview_(preview) {
  setWindowTitle(tr("Write Changes to the Receiver"));
  setWindowModality(Qt::WindowModal);
  auto* heading = new QLabel(tr("These changes will be written to the receiver:"), this);
  list_ = new QListWidget(this);
  list_->setMinimumSize(520, 240);
  ShowDifferences(list_, preview.differences);
  connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const QVariant place = item->data(Qt::UserRole);
    if (place.isValid()) emit PlaceChosen(place.value<DifferencePlace>());
  });
  summary_ = new QLabel(SummaryText(preview, known_from), this);
  summary_->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(this);
  write_ = buttons->addButton(WriteCaption(preview.commands - preview.always),
                              QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(list_);
  layout->addWidget(summary_);
  layout->addWidget(buttons);
}

}  // namespace kestrel::ui
