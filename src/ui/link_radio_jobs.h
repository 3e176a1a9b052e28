// The read and program jobs of the receiver link: the serial port the window chose, or the
// simulated receiver when the window was started with --simulate or the user chose "Simulated
// receiver".
#pragma once

#include <memory>

#include "link/sim/shared_receiver.h"
#include "ui/transfer_job.h"

namespace kestrel::ui {

class LinkRadioJobs : public RadioJobs {
 public:
  LinkRadioJobs();

  TransferJob ReadJob(const link::PortChoice& port, const RadioConfig& current,
                      const MemoryImage& image) override;
  TransferJob ProgramJob(const link::PortChoice& port, const RadioConfig& record,
                         const MemoryImage& image, bool verify) override;

 private:
  // The simulated receiver lives as long as the window, so what one job writes into it the
  // next one reads back.
  std::shared_ptr<link::SharedReceiver> receiver_;
};

}  // namespace kestrel::ui
