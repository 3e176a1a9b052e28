#include "ui/document_storage.h"

#include <filesystem>

#include "files/data_file.h"

namespace kestrel::ui {

namespace {

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace

std::expected<RadioConfig, LoadFailure> DataFileStorage::Load(const QString& path,
                                                              const RadioConfig& base) {
  auto loaded = LoadDataFile(NativePath(path), base);
  if (!loaded) {
    FileError error = std::move(loaded.error());
    error.file.clear();
    // Only what was read has lines: a file that could not be read has none.
    return std::unexpected(
        LoadFailure{.damaged = error.line > 0, .reason = QString::fromStdString(error.ToString())});
  }
  return std::move(*loaded);
}

std::expected<void, QString> DataFileStorage::Save(const QString& path, const RadioConfig& record) {
  auto saved = SaveDataFile(NativePath(path), record);
  if (!saved) {
    saved.error().file.clear();  // the window names the file
    return std::unexpected(QString::fromStdString(saved.error().ToString()));
  }
  return {};
}

}  // namespace kestrel::ui
