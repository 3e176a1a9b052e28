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

// One job's link: the port it names, on the real clock, opened and closed by the sequence.
class JobLink {
 public:
  JobLink(const QString& port, link::ReceiverSimulator& receiver) {
    if (port == kSimulatedPort) {
      port_ = std::make_unique<link::SimulatedReceiverPort>(receiver, clock_);
    } else {
      port_ = std::make_unique<link::QtSerialPort>();
    }
    link_ = std::make_unique<link::Link>(*port_, clock_);
    link_->SelectPort(port == kSimulatedPort ? std::string("1") : port.toStdString());
  }
  link::Link& get() { return *link_; }

 private:
  link::RealClock clock_;
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

}  // namespace

LinkRadioJobs::LinkRadioJobs()
    : receiver_(std::make_shared<link::ReceiverSimulator>()),
      receiver_mutex_(std::make_shared<std::mutex>()) {
  receiver_->memory() = link::DefaultReceiverMemory();
}

TransferJob LinkRadioJobs::ReadJob(const QString& port, const RadioConfig& current,
                                   const MemoryImage& image) {
  return [port, current, image, receiver = receiver_,
          mutex = receiver_mutex_](TransferProgress& progress) {
    const std::lock_guard lock(*mutex);
    JobLink job_link(port, *receiver);
    MemoryImage staged = image;
    auto read = link::ReadFromRadio(job_link.get(), staged, current, ReportTo(progress));
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

TransferJob LinkRadioJobs::ProgramJob(const QString& port, const RadioConfig& record,
                                      const MemoryImage& image, bool verify) {
  return [port, record, image, verify, receiver = receiver_,
          mutex = receiver_mutex_](TransferProgress& progress) {
    const std::lock_guard lock(*mutex);
    JobLink job_link(port, *receiver);
    MemoryImage staged = image;
    TransferOutcome outcome;
    outcome.status = link::ProgramToRadio(job_link.get(), staged, record,
                                          link::ProgramOptions{verify}, ReportTo(progress));
    outcome.image = staged;  // the region bytes read, and what was encoded and sent
    return outcome;
  };
}

}  // namespace kestrel::ui
