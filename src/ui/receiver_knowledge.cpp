#include "ui/receiver_knowledge.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kestrel::ui {

namespace {

QString Clock(const QTime& when) {
  return when.toString(QStringLiteral("HH:mm"));
}

}  // namespace

QString PortShown(const link::PortChoice& port) {
  switch (port.kind) {
    case link::PortChoice::Kind::kNumber:
      return QCoreApplication::translate("ReceiverKnowledge", "COM %1").arg(port.number);
    case link::PortChoice::Kind::kDevice:
      return QFileInfo(QString::fromStdString(port.device)).fileName();
    case link::PortChoice::Kind::kSimulated:
      return port.number > 1
                 ? QCoreApplication::translate("ReceiverKnowledge", "simulated port %1")
                       .arg(port.number)
                 : QCoreApplication::translate("ReceiverKnowledge", "the simulated port");
    case link::PortChoice::Kind::kNone:
      break;
  }
  return QCoreApplication::translate("ReceiverKnowledge", "no port");
}

QString ReadAt(const QTime& when, const link::PortChoice& port) {
  return QCoreApplication::translate("ReceiverKnowledge", "read at %1 on %2")
      .arg(Clock(when), PortShown(port));
}

QString WrittenAt(const QTime& when, const link::PortChoice& port) {
  return QCoreApplication::translate("ReceiverKnowledge", "written at %1 on %2")
      .arg(Clock(when), PortShown(port));
}

QString ThenAt(const QString& before, const QString& what, const QTime& when,
               const link::PortChoice& port) {
  if (before.isEmpty()) {
    return QCoreApplication::translate("ReceiverKnowledge", "%1 at %2 on %3")
        .arg(what, Clock(when), PortShown(port));
  }
  return QCoreApplication::translate("ReceiverKnowledge", "%1, then %2 at %3")
      .arg(before, what, Clock(when));
}

}  // namespace kestrel::ui
