#include "ui/link_radio_jobs.h"

#include <string>

#include "link/program_sequence.h"
#include "link/qt/port_link.h"
#include "link/read_sequence.h"

namespace kestrel::ui {

namespace {

link::SequenceReport ReportTo(TransferProgress& progress) {
  link::SequenceReport report;
  report.state = [&progress](const std::string& text) {
    progress.SetStateText(QString::fromStdString(text));
  };
  report.progress.range = [&progress](int maximum) { progress.SetRange(0, maximum); };
  report.progress.value = [&progress](int value) { progress.SetValue(value); };
  return report;
}

}  // namespace

LinkRadioJobs::LinkRadioJobs(std::shared_ptr<link::Clock> simulated_clock)
    : receiver_(std::make_shared<link::SharedReceiver>()),
      simulated_clock_(std::move(simulated_clock)) {}

link::LinkSetup LinkRadioJobs::SetupFor(const link::PortChoice& port) const {
  const bool simulated = port.kind == link::PortChoice::Kind::kSimulated;
  return {.port = port, .clock = simulated ? simulated_clock_ : nullptr, .simulated = receiver_};
}

// The jobs run on the dialog's worker thread, a QThread, where their PortLink is made and ends.
TransferJob LinkRadioJobs::ReadJob(const link::PortChoice& port, const RadioConfig& current,
                                   const MemoryImage& image) {
  return [current, image, setup = SetupFor(port)](TransferProgress& progress) {
    link::PortLink port_link(setup);
    MemoryImage staged = image;
    auto read = link::ReadFromRadio(port_link.link(), staged, current, ReportTo(progress));
    TransferOutcome outcome;
    if (read) {
      outcome.record = std::move(*read);
      outcome.image = staged;
    } else {
      outcome.status = std::unexpected(std::move(read.error()));
    }
    return outcome;
  };
}

TransferJob LinkRadioJobs::ProgramJob(const link::PortChoice& port, const RadioConfig& record,
                                      const MemoryImage& image, bool verify) {
  return [record, image, verify, setup = SetupFor(port)](TransferProgress& progress) {
    link::PortLink port_link(setup);
    MemoryImage staged = image;
    TransferOutcome outcome;
    outcome.status = link::ProgramToRadio(port_link.link(), staged, record,
                                          link::ProgramOptions{verify}, ReportTo(progress));
    outcome.image = staged;  // the region bytes read, and what was encoded and sent
    return outcome;
  };
}

}  // namespace kestrel::ui
