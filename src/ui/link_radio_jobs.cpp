#include "ui/link_radio_jobs.h"

#include <algorithm>
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
  report.progress.time_left = [&progress](std::uint64_t ms) {
    progress.SetTimeLeft(static_cast<qint64>(ms));
  };
  report.progress.waiting = [&progress](bool waiting) { progress.SetWaiting(waiting); };
  return report;
}

}  // namespace

LinkRadioJobs::LinkRadioJobs(std::shared_ptr<link::Clock> simulated_clock)
    : simulated_clock_(std::move(simulated_clock)) {}

link::LinkSetup LinkRadioJobs::SetupFor(const link::PortChoice& port) {
  if (port.kind != link::PortChoice::Kind::kSimulated) return {.port = port};
  const auto index = static_cast<std::size_t>(std::clamp(port.number, 1, kReceivers) - 1);
  if (!receivers_[index]) receivers_[index] = std::make_shared<link::SharedReceiver>();
  return {.port = port, .clock = simulated_clock_, .simulated = receivers_[index]};
}

// The jobs run on the dialog's worker thread, a QThread, where their PortLink is made and ends.
TransferJob LinkRadioJobs::ReadJob(const link::PortChoice& port, const RadioConfig& current,
                                   const MemoryImage& image) {
  return [current, image, setup = SetupFor(port)](TransferProgress& progress) {
    link::PortLink port_link(setup);
    port_link.link().SetCancel(&progress.Cancel());
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
    port_link.link().SetCancel(&progress.Cancel());
    MemoryImage staged = image;
    TransferOutcome outcome;
    outcome.status = link::ProgramToRadio(port_link.link(), staged, record,
                                          link::ProgramOptions{verify}, ReportTo(progress));
    outcome.image = staged;  // the region bytes read, and what was encoded and sent
    return outcome;
  };
}

}  // namespace kestrel::ui
