// The read and program jobs of the real receiver link, or of the simulated receiver when the
// window was started with --simulate or the user chose "Simulated receiver".
#pragma once

#include "ui/transfer_job.h"

namespace kestrel::app {

class LinkRadioJobs : public ui::RadioJobs {
 public:
  ui::TransferJob ReadJob(const QString& port, const RadioConfig& current,
                          const MemoryImage& image) override;
  ui::TransferJob ProgramJob(const QString& port, const RadioConfig& record,
                             const MemoryImage& image, bool verify) override;
};

}  // namespace kestrel::app
