#include "link_radio_jobs.h"

#include <QCoreApplication>

namespace kestrel::app {

namespace {

// Until the read and program sequences are part of the build, every transfer reports that the
// port cannot be used, and says why.
ui::TransferJob Unavailable(const QString& port) {
  return [port](ui::TransferProgress&) {
    ui::TransferOutcome outcome;
    outcome.code = 1;
    outcome.message = QCoreApplication::translate("kestrel",
                                                  "There is problem with the "
                                                  "communication port.\nUnable to "
                                                  "transfer data.");
    outcome.detail = QCoreApplication::translate("kestrel",
                                                 "Port %1: the receiver link is not part of "
                                                 "this build.")
                         .arg(port);
    return outcome;
  };
}

}  // namespace

ui::TransferJob LinkRadioJobs::ReadJob(const QString& port, const RadioConfig&,
                                       const MemoryImage&) {
  return Unavailable(port);
}

ui::TransferJob LinkRadioJobs::ProgramJob(const QString& port, const RadioConfig&,
                                          const MemoryImage&, bool) {
  return Unavailable(port);
}

}  // namespace kestrel::app
