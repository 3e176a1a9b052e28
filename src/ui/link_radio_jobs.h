// The read and program jobs of the receiver link: the serial port the window chose, or the
// simulated receiver when the window was started with --simulate or the user chose "Simulated
// receiver".
#pragma once

#include <memory>
#include <mutex>

#include "link/clock.h"
#include "link/sim/receiver_simulator.h"
#include "ui/transfer_job.h"

namespace kestrel::ui {

class LinkRadioJobs : public RadioJobs {
 public:
  // The simulated receiver's jobs run on `simulated_clock` when one is given (the tests give a
  // virtual clock, so that a whole transfer takes no real time), else on the real clock.
  explicit LinkRadioJobs(std::shared_ptr<link::Clock> simulated_clock = nullptr);

  TransferJob ReadJob(const QString& port, const RadioConfig& current,
                      const MemoryImage& image) override;
  TransferJob ProgramJob(const QString& port, const RadioConfig& record, const MemoryImage& image,
                         bool verify) override;

 private:
  // The simulated receiver lives as long as the window, so what one job writes into it the
  // next one reads back. Jobs run one at a time, but on a worker thread: the mutex keeps the
  // hand-over between them clean.
  std::shared_ptr<link::ReceiverSimulator> receiver_;
  std::shared_ptr<std::mutex> receiver_mutex_;
  std::shared_ptr<link::Clock> simulated_clock_;
};

}  // namespace kestrel::ui
