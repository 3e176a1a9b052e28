// The read and program jobs of the receiver link: the serial port the window chose, or the
// simulated receiver when the window was started with --simulate or the user chose "Simulated
// receiver"; further simulated receivers ("sim2" ...) serve programming several at once. A job
// stops at its next command once its TransferProgress's cancel is requested.
#pragma once

#include <array>
#include <memory>

#include "link/clock.h"
#include "link/qt/port_link.h"
#include "link/sim/shared_receiver.h"
#include "ui/transfer_job.h"

namespace kestrel::ui {

class LinkRadioJobs : public RadioJobs {
 public:
  // The simulated receiver's jobs run on `simulated_clock` when one is given (the tests give a
  // virtual clock, so that a whole transfer takes no real time), else on the real clock.
  explicit LinkRadioJobs(std::shared_ptr<link::Clock> simulated_clock = nullptr);

  TransferJob ReadJob(const link::PortChoice& port, const RadioConfig& current,
                      const MemoryImage& image) override;
  TransferJob ProgramJob(const link::PortChoice& port, const RadioConfig& record,
                         const MemoryImage& image, bool verify) override;
  TransferJob WriteJob(const link::PortChoice& port, const RadioConfig& record,
                       const MemoryImage& image, const WriteRequest& request) override;

  // Simulated receiver `number` (1 to 8), made when first chosen: for setting its faults.
  std::shared_ptr<link::SharedReceiver> SimulatedReceiver(int number);

 private:
  static constexpr int kReceivers = link::kSimulatedReceivers;

  link::LinkSetup SetupFor(const link::PortChoice& port);

  // The simulated receivers live as long as the window, so what one job writes into one of them
  // the next one reads back. Each is made when a job first chooses it.
  std::array<std::shared_ptr<link::SharedReceiver>, kReceivers> receivers_;
  std::shared_ptr<link::Clock> simulated_clock_;
};

}  // namespace kestrel::ui
