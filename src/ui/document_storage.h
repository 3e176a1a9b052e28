// Where the window loads and saves its data files. The window goes through this interface so
// that tests can make a load or a save fail on purpose; the program uses DataFileStorage.
#pragma once

#include <QString>
#include <expected>

#include "model/radio_config.h"

namespace kestrel::ui {

// Why a file could not be loaded, without the file's name: the window names it once.
struct LoadFailure {
  bool damaged = false;  // the file was read, but it holds no whole configuration
  // Where and why, to follow "The file NAME": "line 12: ..." when damaged, else "cannot be
  // read: No such file or directory".
  QString reason;

  bool operator==(const LoadFailure&) const = default;
};

class DocumentStorage {
 public:
  virtual ~DocumentStorage() = default;
  // The file's record, read on top of `base` (older files lack some values).
  virtual std::expected<RadioConfig, LoadFailure> Load(const QString& path,
                                                       const RadioConfig& base) = 0;
  // Writes the whole file or leaves the old one as it was; a failure says why, without the name.
  virtual std::expected<void, QString> Save(const QString& path, const RadioConfig& record) = 0;
};

// The ".dat" data files.
class DataFileStorage : public DocumentStorage {
 public:
  std::expected<RadioConfig, LoadFailure> Load(const QString& path,
                                               const RadioConfig& base) override;
  std::expected<void, QString> Save(const QString& path, const RadioConfig& record) override;
};

}  // namespace kestrel::ui
