// The program's title, shown in the window caption and in its message boxes.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace kestrel::ui {

inline QString ApplicationTitle() {
  return QCoreApplication::translate("kestrel::ui", "Kestrel Programming Tool");
}

}  // namespace kestrel::ui
