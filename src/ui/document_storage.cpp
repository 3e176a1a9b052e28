#include "ui/document_storage.h"

#include <QCoreApplication>

namespace kestrel::ui {

// The data file layer is not part of this build yet; until it is, every load and save fails
// with a reason instead of pretending to succeed.
std::expected<RadioConfig, QString> DataFileStorage::Load(const QString&, const RadioConfig&) {
  return std::unexpected(
      QCoreApplication::translate("kestrel::ui", "data files cannot be read by this build"));
}

std::expected<void, QString> DataFileStorage::Save(const QString&, const RadioConfig&) {
  return std::unexpected(
      QCoreApplication::translate("kestrel::ui", "data files cannot be written by this build"));
}

}  // namespace kestrel::ui
