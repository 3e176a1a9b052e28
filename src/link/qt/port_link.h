// The one factory of links, for the command line and the window: the link for a port choice with
// everything it runs on, the clock, the port (the Qt serial backend, or the simulated receiver's
// line) and an optional wire trace.
//
// A PortLink belongs to one worker, which makes, uses and destroys it on its own thread, a thread
// started with QThread (the window's transfer threads, RunOnLinkThread): the Qt serial backend
// creates its port on the thread that opens it and must end it there. Workers with a PortLink
// each may run at once on different ports; a serial port is held by one PortLink at a time (a
// second one is refused before it sends anything), and those that choose the same simulated
// receiver take turns.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>

#include "link/clock.h"
#include "link/link.h"
#include "link/port_choice.h"
#include "link/port_claims.h"
#include "link/serial_port.h"
#include "link/sim/shared_receiver.h"

namespace kestrel::link {

struct LinkSetup {
  PortChoice port{};
  // The link's time; the real clock when empty. Tests give the simulated receiver a VirtualClock.
  std::shared_ptr<Clock> clock{};
  // The receiver behind the simulated port; a new one holding the default configuration when
  // empty. The window keeps one for its lifetime, so a read gets back what a write put there.
  std::shared_ptr<SharedReceiver> simulated{};
  // Where every byte sent and received is written with its time (see TracePort); none when empty.
  std::shared_ptr<std::ostream> trace{};
};

class PortLink {
 public:
  // Nothing is opened yet: the sequences open and close the port themselves. With the simulated
  // receiver chosen, waits until no other link holds it. A serial port that another PortLink
  // holds is not waited for: every transfer step of this link then fails to open it.
  explicit PortLink(LinkSetup setup);
  ~PortLink();
  PortLink(const PortLink&) = delete;
  PortLink& operator=(const PortLink&) = delete;

  Link& link() { return *link_; }

 private:
  LinkSetup setup_;  // keeps the clock, the receiver and the trace for as long as the link lives
  std::unique_lock<std::mutex> receiver_held_;
  std::optional<PortClaim> port_held_;
  std::unique_ptr<SerialPort> port_;
  std::unique_ptr<SerialPort> trace_;
  std::unique_ptr<Link> link_;
};

// Runs `work` on a new thread started with QThread and returns when it has finished: the thread
// a PortLink needs where no other worker thread exists (the command line). Elsewhere Qt cannot
// watch the port and says so ("QSocketNotifier: Can only be used with threads started with
// QThread").
void RunOnLinkThread(std::function<void()> work);

}  // namespace kestrel::link
