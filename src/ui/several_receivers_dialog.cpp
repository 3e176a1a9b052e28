#include "ui/several_receivers_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "link/port_choice.h"
#include "link/time_estimate.h"
#include "ui/failure_texts.h"
#include "ui/feedback.h"
#include "ui/system_ports.h"

namespace kestrel::ui {

namespace {

constexpr int kSimulatedOffered = 4;

// A write that was verified says so; a failure gives its cause and fix on the row's line.
QString ResultText(const link::LinkStatus& status, bool verified) {
  if (status) {
    const QString done = SeveralReceiversDialog::tr("Completed writing.");
    return verified ? done + " " + SeveralReceiversDialog::tr("Verified") : done;
  }
  const link::LinkFailure& failure = status.error();
  if (failure.code == link::LinkResult::kCancelled) return QString::fromStdString(failure.detail);
  return FailureLine(failure);
}

}  // namespace

std::vector<PortEntry> SeveralReceiversDialog::AvailablePorts() {
  std::vector<PortEntry> ports;
  for (int number = 1; number <= link::kComPorts; ++number) {
    ports.push_back({tr("COM %1").arg(number), link::PortChoice::Number(number)});
  }
  for (const SystemPort& port : SystemPortsBesideComNumbers()) {
    ports.push_back({port.text, link::PortChoice::Device(port.device.toStdString())});
  }
  for (int receiver = 1; receiver <= kSimulatedOffered; ++receiver) {
    ports.push_back(
        {tr("Simulated receiver %1").arg(receiver), link::PortChoice::Simulated(receiver)});
  }
  return ports;
}

SeveralReceiversDialog::SeveralReceiversDialog(std::vector<PortEntry> ports, JobFactory make_job,
                                               QWidget* parent)
    : BusyDialog(parent), make_job_(std::move(make_job)) {
  setWindowTitle(tr("Program Several Receivers"));
  setWindowModality(Qt::WindowModal);

  auto* prompt = new QLabel(
      tr("1. Connect a receiver with its Program cable to every port you tick.") + "\n\n" +
          tr("2. Writing data into all of them will start when you select [OK]."),
      this);
  prompt->setFont(QFont(QStringLiteral("Arial"), 10));
  prompt->setWordWrap(true);

  auto* list = new QWidget;
  auto* grid = new QGridLayout(list);
  for (PortEntry& entry : ports) {
    auto row = std::make_unique<Row>();
    row->port = std::move(entry.port);
    row->tick = new QCheckBox(entry.text, list);
    row->bar = new QProgressBar(list);
    row->bar->setTextVisible(false);
    row->bar->setAccessibleName(tr("%1 progress").arg(QString(entry.text).remove(u'&')));
    row->bar->setMinimumWidth(180);
    row->bar->setRange(0, 1);
    row->bar->setValue(0);
    row->result = new QLabel(list);
    row->result->setWordWrap(true);
    row->result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->result->setMinimumWidth(260);
    row->runner = new TransferRunner(this);
    Row* r = row.get();
    connect(r->runner, &TransferRunner::Finished, this,
            [this, r](const TransferOutcome& outcome) { OnTransferFinished(*r, outcome); });
    TransferProgress* progress = &r->runner->Progress();
    connect(progress, &TransferProgress::RangeChanged, r->bar, [r](int minimum, int maximum) {
      r->bar->setRange(minimum, maximum);
      r->bar->setValue(minimum);
    });
    connect(progress, &TransferProgress::ValueChanged, r->bar, &QProgressBar::setValue);
    connect(progress, &TransferProgress::StateTextChanged, r->result, [r](const QString& text) {
      r->state = text;
      r->result->setText(text);
    });
    const auto show_time_left = [r] {
      if (r->runner->CancelRequested()) return;
      const auto left = link::TimeLeftText(static_cast<std::uint64_t>(r->left_ms), r->waiting);
      r->result->setText(r->state + "  " + QString::fromStdString(left));
    };
    connect(progress, &TransferProgress::TimeLeftChanged, r->result,
            [r, show_time_left](qint64 ms) {
              r->left_ms = ms;
              show_time_left();
            });
    connect(progress, &TransferProgress::WaitingChanged, r->result,
            [r, show_time_left](bool waiting) {
              r->waiting = waiting;
              show_time_left();
            });
    const int at = grid->rowCount();
    grid->addWidget(r->tick, at, 0);
    grid->addWidget(r->bar, at, 1);
    grid->addWidget(r->result, at, 2);
    rows_.push_back(std::move(row));
  }
  grid->setRowStretch(grid->rowCount(), 1);  // the rows at the top, as tall as their text
  grid->setColumnStretch(2, 1);
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(list);
  scroll->setWidgetResizable(true);
  scroll->setMinimumSize(640, 260);

  verify_ = new QCheckBox(tr("&Verify after writing"), this);
  ok_ = new QPushButton(tr("OK"), this);
  cancel_ = new QPushButton(tr("CANCEL"), this);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &SeveralReceiversDialog::OnOk);
  connect(cancel_, &QPushButton::clicked, this, &SeveralReceiversDialog::OnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 14);
  layout->addWidget(prompt);
  layout->addWidget(scroll);
  layout->addWidget(verify_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {ok_, cancel_}) {
    button->setMinimumWidth(90);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
}

bool SeveralReceiversDialog::IsBusy() const {
  return std::any_of(rows_.begin(), rows_.end(),
                     [](const auto& row) { return row->runner->IsRunning(); });
}

void SeveralReceiversDialog::SetControlsEnabled(bool enabled) {
  for (const auto& row : rows_) row->tick->setEnabled(enabled);
  ok_->setEnabled(enabled);
  verify_->setEnabled(enabled);
  cancel_->setEnabled(true);
}

void SeveralReceiversDialog::OnOk() {
  if (IsBusy()) return;
  const bool any = std::any_of(rows_.begin(), rows_.end(),
                               [](const auto& row) { return row->tick->isChecked(); });
  if (!any) {
    CurrentFeedback().Information(
        this, windowTitle(), tr("No port is ticked: tick the ports of the receivers to write."));
    return;
  }
  SetControlsEnabled(false);
  for (const auto& row : rows_) {
    if (row->tick->isChecked()) {
      Start(*row, verify_->isChecked());
    } else {
      row->result->clear();
      row->bar->setValue(row->bar->minimum());
    }
  }
}

void SeveralReceiversDialog::Start(Row& row, bool verify) {
  row.bar->setRange(0, 1);
  row.bar->setValue(0);
  row.result->clear();
  row.state.clear();
  row.waiting = false;
  row.verify = verify;
  row.runner->Start(make_job_(row.port, verify));
}

void SeveralReceiversDialog::OnTransferFinished(Row& row, const TransferOutcome& outcome) {
  row.result->setText(ResultText(outcome.status, row.verify));
  if (outcome.status) {
    row.bar->setValue(row.bar->maximum());
  } else {
    row.bar->setValue(row.bar->minimum());
  }
  if (IsBusy()) return;
  ok_->setText(tr("Write again"));
  SetControlsEnabled(true);
}

QString SeveralReceiversDialog::CancelQuestion() const {
  return tr("Receivers are still being written. Cancel?");
}

void SeveralReceiversDialog::RequestCancel() {
  for (const auto& row : rows_) {
    if (!row->runner->IsRunning()) continue;
    row->runner->Cancel();
    row->result->setText(tr("Cancelling after the command under way."));
  }
  cancel_->setEnabled(false);
}

}  // namespace kestrel::ui
