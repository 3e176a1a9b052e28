#include "ui/transfer_runner.h"

#include <QThread>

namespace kestrel::ui {

TransferRunner::TransferRunner(QObject* parent) : QObject(parent) {}

TransferRunner::~TransferRunner() {
  if (!worker_) return;
  worker_->wait();
  delete worker_;
}

void TransferRunner::Start(TransferJob job) {
  progress_.Cancel().Reset();
  outcome_.reset();
  worker_ = QThread::create([this, job = std::move(job)] { outcome_ = job(progress_); });
  connect(worker_, &QThread::finished, this, &TransferRunner::OnWorkerFinished);
  worker_->start();
}

void TransferRunner::OnWorkerFinished() {
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
  const TransferOutcome outcome = std::move(*outcome_);
  outcome_.reset();
  emit Finished(outcome);
}

}  // namespace kestrel::ui
