#include "ui/document.h"

#include "model/defaults.h"

namespace kestrel::ui {

Document::Document(QObject* parent) : QObject(parent), record_(NewConfiguration()) {}

void Document::SetFileName(const QString& file_name) {
  if (file_name_ == file_name) return;
  file_name_ = file_name;
  emit FileNameChanged(file_name_);
}

void Document::MarkModified() {
  if (modified_) return;
  modified_ = true;
  emit ModifiedChanged(true);
}

void Document::MarkSaved(const QString& file_name) {
  SetFileName(file_name);
  if (!modified_) return;
  modified_ = false;
  emit ModifiedChanged(false);
}

void Document::Replace(const RadioConfig& record, const QString& file_name) {
  record_ = record;
  SetFileName(file_name);
  if (modified_) {
    modified_ = false;
    emit ModifiedChanged(false);
  }
  emit Replaced();
}

}  // namespace kestrel::ui
