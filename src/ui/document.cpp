#include "ui/document.h"

#include "model/defaults.h"

namespace kestrel::ui {

Document::Document(QObject* parent) : QObject(parent), record_(NewConfiguration()) {}

void Document::SetFileName(const QString& file_name) {
  if (file_name_ == file_name) return;
  file_name_ = file_name;
  emit FileNameChanged(file_name_);
}

void Document::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  emit ModifiedChanged(modified_);
}

bool Document::Edit(const QString& what, const std::function<void(RadioConfig&)>& change) {
  RadioConfig changed = record_;
  change(changed);
  if (changed == record_) return false;
  record_ = std::move(changed);
  SetModified(true);
  emit Edited(what);
  return true;
}

void Document::MarkSaved(const QString& file_name) {
  SetFileName(file_name);
  SetModified(false);
}

void Document::Replace(const RadioConfig& record, const QString& file_name) {
  record_ = record;
  SetFileName(file_name);
  SetModified(false);
  emit Replaced();
}

}  // namespace kestrel::ui
