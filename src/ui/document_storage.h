// Where the window loads and saves its data files. The window goes through this interface so
// that tests can make a load or a save fail on purpose; the program uses DataFileStorage.
#pragma once

#include <QString>
#include <expected>

#include "model/radio_config.h"

namespace kestrel::ui {

class DocumentStorage {
 public:
  virtual ~DocumentStorage() = default;
  // The file's record, read on top of `base` (older files lack some values). On failure the
  // reason says where: "line 12: not a number".
  virtual std::expected<RadioConfig, QString> Load(const QString& path,
                                                   const RadioConfig& base) = 0;
  // Writes the whole file or leaves the old one as it was.
  virtual std::expected<void, QString> Save(const QString& path, const RadioConfig& record) = 0;
};

// The ".dat" data files.
class DataFileStorage : public DocumentStorage {
 public:
  std::expected<RadioConfig, QString> Load(const QString& path, const RadioConfig& base) override;
  std::expected<void, QString> Save(const QString& path, const RadioConfig& record) override;
};

}  // namespace kestrel::ui
