#include "ui/file_dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace kestrel::ui {

QString OpenDialogTitle() {
  return QCoreApplication::translate("kestrel::ui", " Load of data File");
}

QString SaveDialogTitle() {
  return QCoreApplication::translate("kestrel::ui", " Save of data File");
}

QString DataFileFilter() {
  return QCoreApplication::translate("kestrel::ui", "dat (*.dat)");
}

QString DataFileFolder(const QString& current_file, const QString& program_folder) {
  if (!current_file.isEmpty()) return QFileInfo(current_file).absolutePath();
  const QFileInfo program(program_folder);
  if (!program_folder.isEmpty() && program.isDir() && program.isWritable()) {
    return program.absoluteFilePath();
  }
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

}  // namespace kestrel::ui
