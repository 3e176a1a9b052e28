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
}

PortLink::~PortLink() = default;

void RunOnLinkThread(std::function<void()> work) {
  const std::unique_ptr<QThread> thread(QThread::create(std::move(work)));
  thread->start();
  thread->wait();
}

}  // namespace kestrel::link
