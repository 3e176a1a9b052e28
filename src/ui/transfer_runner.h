// One transfer job at a time on a worker thread of its own, for the dialogs that run them. The
// job's progress reaches the window's thread through Progress()'s queued signals and its end
// through Finished; Cancel asks the job to stop after the command under way.
#pragma once

#include <QObject>
#include <optional>

#include "ui/transfer_job.h"

class QThread;

namespace kestrel::ui {

class TransferRunner : public QObject {
  Q_OBJECT

 public:
  explicit TransferRunner(QObject* parent = nullptr);
  // The window never lets a busy dialog go; this only guards the program's end.
  ~TransferRunner() override;

  TransferProgress& Progress() { return progress_; }
  bool IsRunning() const { return worker_ != nullptr; }
  bool CancelRequested() const { return progress_.Cancel().Requested(); }

  // Starts `job` with a fresh cancel; the runner must not be running.
  void Start(TransferJob job);
  void Cancel() { progress_.Cancel().Request(); }

 signals:
  // On the window's thread, once the worker has ended: IsRunning() is false by then, so a slot
  // may start the next job.
  void Finished(const TransferOutcome& outcome);

 private:
  void OnWorkerFinished();

  TransferProgress progress_;
  QThread* worker_ = nullptr;
  std::optional<TransferOutcome> outcome_;  // written by the worker, read after it ended
};

}  // namespace kestrel::ui
