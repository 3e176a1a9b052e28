#include "ui/port_settings.h"

#include <filesystem>

#include "files/settings.h"

namespace kestrel::ui {

namespace {

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace

int LoadComPort(const QString& settings_file) {
  return kestrel::LoadComPort(NativePath(settings_file));
}

void SaveComPort(const QString& settings_file, int port) {
  kestrel::SaveComPort(NativePath(settings_file), port);
}

QString LoadComPortName(const QString& settings_file) {
  return QString::fromStdString(kestrel::LoadComPortName(NativePath(settings_file))).trimmed();
}

void SaveComPortName(const QString& settings_file, const QString& device) {
  kestrel::SaveComPortName(NativePath(settings_file), device.toStdString());
}

}  // namespace kestrel::ui
