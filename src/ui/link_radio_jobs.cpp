#include "ui/link_radio_jobs.h"

#include <string>

#include "link/clock.h"
#include "link/link.h"
#include "link/program_sequence.h"
#include "link/qt/qt_serial_port.h"
#include "link/read_sequence.h"
#include "link/sim/default_memory.h"
#include "link/sim/simulated_receiver_port.h"

namespace kestrel::ui {

namespace {

// One job's link: the port it names, on the real clock unless the simulated receiver was given
// another, opened and closed by the sequence.
class JobLink {
 public:
  JobLink(const QString& port, link::ReceiverSimulator& receiver, link::Clock* simulated_clock) {
    link::Clock* clock = &real_clock_;
    if (port == kSimulatedPort) {
      if (simulated_clock != nullptr) clock = simulated_clock;
      port_ = std::make_unique<link::SimulatedReceiverPort>(receiver, *clock);
    } else {
      port_ = std::make_unique<link::QtSerialPort>();
    }
    link_ = std::make_unique<link::Link>(*port_, *clock);
    link_->SelectPort(port == kSimulatedPort ? std::string("1") : port.toStdString());
  }
  link::Link& get() { return *link_; }

 private:
  link::RealClock real_clock_;
  std::unique_ptr<link::SerialPort> port_;
  std::unique_ptr<link::Link> link_;
};

link::SequenceReport ReportTo(TransferProgress& progress) {
  link::SequenceReport report;
  report.state = [&progress](const std::string& text) {
    progress.SetStateText(QString::fromStdString(text));
  };
  report.progress.range = [&progress](int maximum) { progress.SetRange(0, maximum); };
  report.progress.value = [&progress](int value) { progress.SetValue(value); };
  return report;
}

void SetResult(TransferOutcome& outcome, link::LinkResult result, const std::string& detail) {
  outcome.code = link::Code(result);
  outcome.message = QString::fromStdString(std::string(link::Message(result)));
  outcome.detail = QString::fromStdString(detail);
}

}  // namespace

LinkRadioJobs::LinkRadioJobs(std::shared_ptr<link::Clock> simulated_clock)
    : receiver_(std::make_shared<link::ReceiverSimulator>()),
      receiver_mutex_(std::make_shared<std::mutex>()),
      simulated_clock_(std::move(simulated_clock)) {
  receiver_->memory() = link::DefaultReceiverMemory();
}

TransferJob LinkRadioJobs::ReadJob(const QString& port, const RadioConfig& current,
                                   const MemoryImage& image) {
  return [port, current, image, receiver = receiver_, mutex = receiver_mutex_,
          clock = simulated_clock_](TransferProgress& progress) {
    const std::lock_guard lock(*mutex);
    JobLink job_link(port, *receiver, clock.get());
    MemoryImage staged = image;
    const link::ReadOutcome read =
        link::ReadFromRadio(job_link.get(), staged, current, ReportTo(progress));
    TransferOutcome outcome;
    SetResult(outcome, read.result, read.detail);
    if (read.record) {
      outcome.record = *read.record;
      outcome.image = staged;
    }
    return outcome;
  };
}

TransferJob LinkRadioJobs::ProgramJob(const QString& port, const RadioConfig& record,
                                      const MemoryImage& image, bool verify) {
  return [port, record, image, verify, receiver = receiver_, mutex = receiver_mutex_,
          clock = simulated_clock_](TransferProgress& progress) {
    const std::lock_guard lock(*mutex);
    JobLink job_link(port, *receiver, clock.get());
    MemoryImage staged = image;
    const link::ProgramOutcome programmed = link::ProgramToRadio(
        job_link.get(), staged, record, link::ProgramOptions{verify}, ReportTo(progress));
    TransferOutcome outcome;
    SetResult(outcome, programmed.result, programmed.detail);
    outcome.image = staged;  // the region bytes read, and what was encoded and sent
    return outcome;
  };
}

}  // namespace kestrel::ui
