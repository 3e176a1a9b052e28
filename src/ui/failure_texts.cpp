#include "ui/failure_texts.h"

#include <QCoreApplication>
#include <string>

#include "link/failure_advice.h"

namespace kestrel::ui {

QString FailureText(const link::LinkFailure& failure) {
  // The detail and the cause are put together from what the link found (ports, counts), so only
  // the message is a fixed text a translation can hold.
  const std::string message(link::Message(failure.code));
  QString text = QCoreApplication::translate("kestrel::link", message.c_str());
  for (const std::string& part :
       {failure.detail, link::CauseText(failure, link::FrontEnd::kWindow)}) {
    if (!part.empty()) text += "\n\n" + QString::fromStdString(part);
  }
  return text;
}

QString FailureLine(const link::LinkFailure& failure) {
  return QString::fromStdString(link::OnOneLine(FailureText(failure).toStdString()));
}

}  // namespace kestrel::ui
