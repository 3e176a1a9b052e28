#include "ui/transfer_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/time_estimate.h"
#include "ui/failure_texts.h"
#include "ui/feedback.h"
#include "ui/user_guide.h"

namespace kestrel::ui {

QString TransferDialog::ReadPrompt() {
  return tr("1. Connect the Program cable.") + "\n\n" +
         tr("2. Reading data will start when you select[OK].");
}

QString TransferDialog::ProgramPrompt() {
  return tr("1. Connect the Program cable.") + "\n\n" +
         tr("2. Writing data will start when you select [OK].");
}

TransferDialog::TransferDialog(Kind kind, JobFactory make_job, QWidget* parent)
    : BusyDialog(parent), kind_(kind), make_job_(std::move(make_job)) {
  setWindowTitle(kind_ == Kind::kRead ? tr("Read Data from the Receiver")
                                      : tr("Write Data to the Receiver"));
  setWindowModality(Qt::WindowModal);

  message_ = new QLabel(this);
  message_->setFont(QFont(QStringLiteral("Arial"), 10));
  message_->setMinimumSize(380, 72);
  message_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  message_->setWordWrap(true);
  progress_ = new QProgressBar(this);
  progress_->setTextVisible(false);
  progress_->setAccessibleName(tr("Transfer progress"));
  time_left_ = new QLabel(this);

  ok_ = new QPushButton(tr("OK"), this);
  cancel_ = new QPushButton(tr("CANCEL"), this);
  help_ = new QPushButton(tr("HELP"), this);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &TransferDialog::OnOk);
  connect(cancel_, &QPushButton::clicked, this, &TransferDialog::OnCancel);
  // HELP shows the guide to the window, which covers these dialogs too.
  connect(help_, &QPushButton::clicked, this, [this] { ShowUserGuide(this); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 14);
  layout->setSpacing(12);
  layout->addWidget(message_);
  layout->addWidget(progress_);
  layout->addWidget(time_left_);
  if (kind_ == Kind::kProgram) {
    verify_ = new QCheckBox(tr("&Verify after writing"), this);
    layout->addWidget(verify_);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {ok_, cancel_, help_}) {
    button->setMinimumWidth(90);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  buttons_ = buttons;

  runner_ = new TransferRunner(this);
  connect(runner_, &TransferRunner::Finished, this, &TransferDialog::OnTransferFinished);
  TransferProgress* progress = &runner_->Progress();
  connect(progress, &TransferProgress::RangeChanged, progress_, [this](int minimum, int maximum) {
    progress_->setRange(minimum, maximum);
    progress_->setValue(minimum);
  });
  connect(progress, &TransferProgress::ValueChanged, progress_, &QProgressBar::setValue);
  connect(progress, &TransferProgress::StateTextChanged, message_, &QLabel::setText);
  connect(progress, &TransferProgress::TimeLeftChanged, time_left_, [this](qint64 ms) {
    left_ms_ = ms;
    ShowTimeLeft();
  });
  connect(progress, &TransferProgress::WaitingChanged, time_left_, [this](bool waiting) {
    waiting_ = waiting;
    ShowTimeLeft();
  });

  ShowPrompt();
}

QPushButton* TransferDialog::AddButton(const QString& text) {
  auto* button = new QPushButton(text, this);
  button->setAutoDefault(false);
  button->hide();
  buttons_->addWidget(button);
  return button;
}

QCheckBox* TransferDialog::AddCheckBox(const QString& text) {
  auto* box = new QCheckBox(text, this);
  auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
  layout->insertWidget(layout->indexOf(verify_ ? static_cast<QWidget*>(verify_) : time_left_) + 1,
                       box);
  added_boxes_ << box;
  return box;
}

void TransferDialog::ShowTimeLeft() {
  if (runner_->CancelRequested()) return;
  time_left_->setText(
      QString::fromStdString(link::TimeLeftText(static_cast<std::uint64_t>(left_ms_), waiting_)));
}

void TransferDialog::ShowPrompt() {
  message_->setText(kind_ == Kind::kRead ? ReadPrompt() : ProgramPrompt());
  progress_->setRange(0, 1);
  progress_->setValue(0);
}

// CANCEL stays enabled: while busy it cancels the job.
void TransferDialog::SetButtonsEnabled(bool enabled) {
  for (QPushButton* button : {ok_, help_}) button->setEnabled(enabled);
  cancel_->setEnabled(true);
  if (verify_) verify_->setEnabled(enabled);
  for (QCheckBox* box : added_boxes_) box->setEnabled(enabled);
}

void TransferDialog::OnOk() {
  if (IsBusy()) return;
  if (kind_ == Kind::kRead && read_done_) {
    accept();
    return;
  }
  Start();
}

QString TransferDialog::CancelQuestion() const {
  return tr("The transfer is still running. Cancel it?");
}

void TransferDialog::RequestCancel() {
  if (!IsBusy()) return;
  runner_->Cancel();
  cancel_->setEnabled(false);
  time_left_->setText(tr("Cancelling after the command under way."));
}

void TransferDialog::Start() {
  progress_->setRange(0, 1);
  progress_->setValue(0);
  time_left_->clear();
  waiting_ = false;
  SetButtonsEnabled(false);
  // The program job says "Writing data." itself, once the receiver passed its checks.
  if (kind_ == Kind::kRead) message_->setText(tr("Reading data."));

  verifying_ = verify_ && verify_->isChecked();
  runner_->Start(make_job_(verifying_));
}

void TransferDialog::OnTransferFinished(const TransferOutcome& outcome) {
  emit TransferFinished(outcome);
  time_left_->clear();
  if (!outcome.status && outcome.status.error().code == link::LinkResult::kCancelled) {
    message_->setText(QString::fromStdString(outcome.status.error().detail));
    progress_->setValue(progress_->minimum());
    SetButtonsEnabled(true);
    return;
  }
  if (!outcome.status) {
    ShowPrompt();
    SetButtonsEnabled(true);
    // Retry runs the same transfer on the same port; OK leaves the prompt as it is.
    QPointer<TransferDialog> self(this);
    CurrentFeedback().TransferFailed(this, tr("Warning"), FailureText(outcome.status.error()),
                                     [self](bool retry) {
                                       TransferDialog* dialog = self.data();
                                       if (retry && dialog && !dialog->IsBusy()) dialog->Start();
                                     });
    return;
  }
  SetButtonsEnabled(true);
  if (kind_ == Kind::kRead) {
    message_->setText(tr("Completed reading out."));
    read_done_ = true;
    read_result_ = outcome;
  } else {
    // A verify that finds a difference fails the write: here every written range read back.
    const QString verified =
        verifying_ ? tr("Verified: the receiver holds what was written.") + "\n" : QString();
    message_->setText(tr("Completed writing.") + "\n" + verified + tr("Write another radio?"));
  }
  progress_->setValue(progress_->maximum());
}

}  // namespace kestrel::ui
