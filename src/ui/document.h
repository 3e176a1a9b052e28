// The one open document of the window: the live record, the memory image beside it, the current
// file name and whether the record changed since it was last loaded, saved, read or created.
// Pages read and write the record through it; when the whole record is replaced (New, Open, a
// read) every page is told to reload.
#pragma once

#include <QObject>
#include <QString>

#include "image/memory_image.h"
#include "model/radio_config.h"

namespace kestrel::ui {

class Document : public QObject {
  Q_OBJECT

 public:
  explicit Document(QObject* parent = nullptr);

  const RadioConfig& Record() const { return record_; }
  // For a page's "Set": edits the live record in place; call MarkModified() afterwards.
  RadioConfig& MutableRecord() { return record_; }

  MemoryImage& Image() { return image_; }
  const MemoryImage& Image() const { return image_; }

  const QString& FileName() const { return file_name_; }
  void SetFileName(const QString& file_name);

  bool IsModified() const { return modified_; }
  void MarkModified();
  void MarkSaved(const QString& file_name);

  // Replaces the whole record (New, Open, a successful read) and tells every page to reload.
  // The document counts as unmodified afterwards.
  void Replace(const RadioConfig& record, const QString& file_name);

 signals:
  void Replaced();  // the whole record is new: reload every page
  void ModifiedChanged(bool modified);
  void FileNameChanged(const QString& file_name);

 private:
  RadioConfig record_;
  MemoryImage image_;
  QString file_name_;
  bool modified_ = false;
};

}  // namespace kestrel::ui
