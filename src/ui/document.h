// The one open document of the window: the live record, the memory image beside it, where the
// record came from (a data file, the receiver, or neither) and its undo history.
// Pages read the record through it and change it only through Edit, one named change at a time;
// every change, and every replacement of the whole record (New, Open, a read), is one step of
// the history, so each can be undone, and the modified mark follows the history.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <vector>

#include "image/memory_image.h"
#include "model/radio_config.h"

namespace kestrel::ui {

class RecordPatch;

class Document : public QObject {
  Q_OBJECT

 public:
  // Where the record came from.
  enum class Source { kNew, kFile, kReceiver };

  explicit Document(QObject* parent = nullptr);

  const RadioConfig& Record() const { return record_; }

  // One change of the record, named for the user as the Edit menu shows it ("Undo channel
  // 011"): `change` is applied to a copy, and only when the copy differs does it become the
  // record, as one step of the history. Returns whether the record changed.
  bool Edit(const QString& what, const std::function<void(RadioConfig&)>& change);

  QUndoStack& History() { return history_; }

  // The receiver's memory as last read or written. It describes the receiver, not the
  // configuration, so undoing does not change it.
  MemoryImage& Image() { return image_; }
  const MemoryImage& Image() const { return image_; }

  Source Origin() const { return source_; }
  // The data file the record was opened from or saved to; "" for a new record and for one read
  // from the receiver, which Save must not write over any file.
  const QString& FileName() const { return file_name_; }

  // Whether the record differs from what was last opened, saved, read or created; undoing back
  // to that point makes it unmodified again.
  bool IsModified() const { return !history_.isClean(); }
  void MarkSaved(const QString& file_name);

  // Replaces the whole record (New with no file name, Open with one) as one step of the history;
  // every page is told to reload and the document counts as unmodified afterwards.
  void Replace(const RadioConfig& record, const QString& file_name);
  // The same for a record read from the receiver: it has no file name.
  void ReplaceFromReceiver(const RadioConfig& record);

 signals:
  // New, Open or a read replaced the whole record: every page shows it afresh. Undoing and
  // redoing a replacement is a change like any other: pages keep what is pending on them.
  void Replaced();
  void Changed();  // the record changed in any way: an edit, an undo or redo, a replacement
  void Edited(const QString& what);
  // Undo or Redo changed these channels (ascending; none when the step changed no channel).
  void Stepped(const std::vector<int>& channels);
  void ModifiedChanged(bool modified);
  void OriginChanged();  // the source or the file name

 private:
  struct Place {
    Source source = Source::kNew;
    QString file_name;
    bool operator==(const Place&) const = default;
  };
  class Step;

  void Push(const QString& what, const RadioConfig& changed, const Place* place);
  void Apply(const RecordPatch& patch, const Place* place);
  void SetPlace(const Place& place);

  RadioConfig record_;
  MemoryImage image_;
  Source source_ = Source::kNew;
  QString file_name_;
  QUndoStack history_;  // last, so its steps, which refer to this document, go first
};

}  // namespace kestrel::ui
