// The one open document of the window: the live record, the memory image beside it, the current
// file name and whether the record changed since it was last loaded, saved, read or created.
// Pages read the record through it and change it only through Edit, one named change at a time;
// when the whole record is replaced (New, Open, a read) every page is told to reload.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "image/memory_image.h"
#include "model/radio_config.h"

namespace kestrel::ui {

class Document : public QObject {
  Q_OBJECT

 public:
  explicit Document(QObject* parent = nullptr);

  const RadioConfig& Record() const { return record_; }

  // One change of the record, named for the user as an undo list would show it ("Set Mode",
  // "channel 011"): `change` is applied to a copy, and only when the copy differs does it become
  // the record, the document count as modified and Edited(what) go out. Returns whether the
  // record changed.
  bool Edit(const QString& what, const std::function<void(RadioConfig&)>& change);

  MemoryImage& Image() { return image_; }
  const MemoryImage& Image() const { return image_; }

  const QString& FileName() const { return file_name_; }
  void SetFileName(const QString& file_name);

  bool IsModified() const { return modified_; }
  void MarkSaved(const QString& file_name);

  // Replaces the whole record (New, Open, a successful read) and tells every page to reload.
  // The document counts as unmodified afterwards.
  void Replace(const RadioConfig& record, const QString& file_name);

 signals:
  void Replaced();  // the whole record is new: reload every page
  void Edited(const QString& what);
  void ModifiedChanged(bool modified);
  void FileNameChanged(const QString& file_name);

 private:
  void SetModified(bool modified);

  RadioConfig record_;
  MemoryImage image_;
  QString file_name_;
  bool modified_ = false;
};

}  // namespace kestrel::ui
