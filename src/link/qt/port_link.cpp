#include "link/qt/port_link.h"

#include <QThread>

#include "link/qt/qt_serial_port.h"
#include "link/sim/simulated_receiver_port.h"
#include "link/trace_port.h"

namespace kestrel::link {

PortLink::PortLink(LinkSetup setup) : setup_(std::move(setup)) {
  if (!setup_.clock) setup_.clock = std::make_shared<RealClock>();
  Clock& clock = *setup_.clock;
  if (setup_.port.kind == PortChoice::Kind::kSimulated) {
    if (!setup_.simulated) setup_.simulated = std::make_shared<SharedReceiver>();
    receiver_held_ = std::unique_lock(setup_.simulated->in_use);
    port_ = std::make_unique<SimulatedReceiverPort>(setup_.simulated->receiver, clock);
  } else {
    port_ = std::make_unique<QtSerialPort>();
  }
  SerialPort* used = port_.get();
  if (setup_.trace) {
    trace_ = std::make_unique<TracePort>(*used, clock, *setup_.trace);
    used = trace_.get();
  }
  link_ = std::make_unique<Link>(*used, clock);
  link_->SelectPort(setup_.port);
  const std::string name = link_->line().PortName();
  if (setup_.port.kind != PortChoice::Kind::kSimulated && !name.empty()) {
    port_held_ = PortClaim::Take(name);
    if (!port_held_) {
      link_->line().RefuseOpen({"The serial port " + name + " is in use by another transfer.",
                                FailureCause::kPortInUse,
                                {.port = name, .held_here = true}});
    }
  }
}

PortLink::~PortLink() = default;

void RunOnLinkThread(std::function<void()> work) {
  const std::unique_ptr<QThread> thread(QThread::create(std::move(work)));
  thread->start();
  thread->wait();
}

}  // namespace kestrel::link
