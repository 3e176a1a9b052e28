#include "ui/link_radio_jobs.h"

#include <algorithm>
#include <string>

#include "link/program_sequence.h"
#include "link/qt/port_link.h"
#include "link/read_sequence.h"
#include "link/write_changes.h"

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

// What a write that stopped part way got done, added to the link's words.
void SayHowMuchWasWritten(link::LinkFailure& failure, std::size_t written, std::size_t to_write) {
  if (written == 0 || written >= to_write) return;
  if (!failure.detail.empty()) failure.detail += ' ';
  failure.detail.append(std::to_string(written))
      .append(" of ")
      .append(std::to_string(to_write))
      .append(" write commands were written before it stopped.");
}

}  // namespace

LinkRadioJobs::LinkRadioJobs(std::shared_ptr<link::Clock> simulated_clock)
    : simulated_clock_(std::move(simulated_clock)) {}

std::shared_ptr<link::SharedReceiver> LinkRadioJobs::SimulatedReceiver(int number) {
  const auto index = static_cast<std::size_t>(std::clamp(number, 1, kReceivers) - 1);
  if (!receivers_[index]) receivers_[index] = std::make_shared<link::SharedReceiver>();
  return receivers_[index];
}

link::LinkSetup LinkRadioJobs::SetupFor(const link::PortChoice& port) {
  if (port.kind != link::PortChoice::Kind::kSimulated) return {.port = port};
  return {.port = port, .clock = simulated_clock_, .simulated = SimulatedReceiver(port.number)};
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

TransferJob LinkRadioJobs::WriteJob(const link::PortChoice& port, const RadioConfig& record,
                                    const MemoryImage& image, const WriteRequest& request) {
  return [record, image, request, setup = SetupFor(port)](TransferProgress& progress) {
    link::PortLink port_link(setup);
    port_link.link().SetCancel(&progress.Cancel());
    MemoryImage staged = image;
    TransferOutcome outcome;
    outcome.known = request.known;
    link::SequenceReport report = ReportTo(progress);
    report.progress.answered = [&outcome](const link::RangeCommand&, bool answered) {
      if (answered) ++outcome.written;
    };
    const link::ProgramOptions options{.verify = request.verify, .known_from = request.known_from};
    if (request.read_first && !request.changes_only) {
      MemoryImage before;
      auto read = link::ReadFromRadio(port_link.link(), before, record, ReportTo(progress));
      if (!read) {
        outcome.status = std::unexpected(std::move(read.error()));
        return outcome;
      }
      outcome.read_before = std::move(*read);
      outcome.image_before = before;
      outcome.known = link::KnowledgeOfRead(before);
    }
    if (request.changes_only) {
      outcome.status = link::WriteChangesToRadio(port_link.link(), staged, record, *outcome.known,
                                                 options, report, &outcome.to_write);
    } else {
      outcome.to_write = link::CommandCount(link::BuildProgramList());
      outcome.status =
          link::ProgramToRadio(port_link.link(), staged, record, options, report, &*outcome.known);
    }
    if (!outcome.status)
      SayHowMuchWasWritten(outcome.status.error(), outcome.written, outcome.to_write);
    outcome.image = staged;
    return outcome;
  };
}

}  // namespace kestrel::ui
