// What the window knows its receiver holds, and where that knowledge comes from. It describes
// the receiver on one port, not the document: New, Open and Undo leave it, a port change drops
// it, and every read and every write on the port (also one that stopped part way) renews it.
#pragma once

#include <QString>
#include <QTime>

#include "image/known_image.h"
#include "link/port_choice.h"

namespace kestrel::ui {

struct ReceiverKnowledge {
  KnownImage image;
  QString port;    // the port's text, as MainWindow::Port() gives it
  QString source;  // "read at 14:02 on ttyUSB0"

  bool Known() const { return image.AnyKnown(); }
};

// The port as a message names it: "COM 1", "ttyUSB0", "the simulated port".
QString PortShown(const link::PortChoice& port);
// "read at 14:02 on ttyUSB0", "written at 14:05 on COM 1".
QString ReadAt(const QTime& when, const link::PortChoice& port);
QString WrittenAt(const QTime& when, const link::PortChoice& port);
// What is known after a write that added to the knowledge before it: "read at 14:02 on
// ttyUSB0, then written in part at 14:05"; with nothing before, "written in part at 14:05 on
// ttyUSB0". `what` is "written in part" or "changed".
QString ThenAt(const QString& before, const QString& what, const QTime& when,
               const link::PortChoice& port);

}  // namespace kestrel::ui
