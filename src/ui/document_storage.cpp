#include "ui/document_storage.h"

#include <filesystem>

#include "files/data_file.h"

namespace kestrel::ui {

namespace {

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace

std::expected<RadioConfig, QString> DataFileStorage::Load(const QString& path,
                                                          const RadioConfig& base) {
  auto loaded = LoadDataFile(NativePath(path), base);
  if (!loaded) return std::unexpected(QString::fromStdString(loaded.error().ToString()));
  return std::move(*loaded);
}

std::expected<void, QString> DataFileStorage::Save(const QString& path, const RadioConfig& record) {
  auto saved = SaveDataFile(NativePath(path), record);
  if (!saved) return std::unexpected(QString::fromStdString(saved.error().ToString()));
  return {};
}

}  // namespace kestrel::ui
