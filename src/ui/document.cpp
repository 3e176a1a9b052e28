#include "ui/document.h"

#include <QFileInfo>
#include <optional>

#include "model/defaults.h"
#include "ui/record_patch.h"

namespace kestrel::ui {

namespace {

// Whole-record steps keep up to two copies of the 1000 channels; a hundred of them stay small.
constexpr int kHistorySteps = 100;

}  // namespace

// One step of the history: the patches back to the record before and forward to the record
// after, and for a replacement the record's place before and after.
class Document::Step : public QUndoCommand {
 public:
  Step(Document& document, const QString& what, RecordPatch back, RecordPatch forward,
       std::optional<Place> place_before, std::optional<Place> place_after)
      : QUndoCommand(what),
        document_(document),
        back_(std::move(back)),
        forward_(std::move(forward)),
        place_before_(std::move(place_before)),
        place_after_(std::move(place_after)) {}

  void undo() override {
    document_.Apply(back_, place_before_ ? &*place_before_ : nullptr);
    emit document_.Stepped(back_.Channels());
  }
  // The history applies a step as it is pushed; only a later redo is the user's Redo.
  void redo() override {
    document_.Apply(forward_, place_after_ ? &*place_after_ : nullptr);
    if (pushed_) emit document_.Stepped(forward_.Channels());
    pushed_ = true;
  }

 private:
  Document& document_;
  RecordPatch back_;
  RecordPatch forward_;
  std::optional<Place> place_before_;
  std::optional<Place> place_after_;
  bool pushed_ = false;
};

Document::Document(QObject* parent) : QObject(parent), record_(NewConfiguration()) {
  history_.setUndoLimit(kHistorySteps);
  connect(&history_, &QUndoStack::cleanChanged, this,
          [this](bool clean) { emit ModifiedChanged(!clean); });
}

bool Document::Edit(const QString& what, const std::function<void(RadioConfig&)>& change) {
  RadioConfig changed = record_;
  change(changed);
  if (changed == record_) return false;
  Push(what, changed, nullptr);
  emit Edited(what);
  return true;
}

void Document::Replace(const RadioConfig& record, const QString& file_name) {
  const Place place{file_name.isEmpty() ? Source::kNew : Source::kFile, file_name};
  Push(file_name.isEmpty() ? tr("New") : tr("Open %1").arg(QFileInfo(file_name).fileName()), record,
       &place);
  history_.setClean();
}

void Document::ReplaceFromReceiver(const RadioConfig& record) {
  const Place place{Source::kReceiver, QString()};
  Push(tr("Read from the receiver"), record, &place);
  history_.setClean();
  emit Replaced();
}

void Document::MarkSaved(const QString& file_name) {
  SetPlace({Source::kFile, file_name});
  history_.setClean();
}

void Document::Push(const QString& what, const RadioConfig& changed, const Place* place) {
  const Place before{source_, file_name_};
  if (changed == record_ && (!place || *place == before)) return;
  std::optional<Place> place_before;
  std::optional<Place> place_after;
  if (place) {
    place_before = before;
    place_after = *place;
  }
  history_.push(new Step(*this, what, RecordPatch::Between(changed, record_),
                         RecordPatch::Between(record_, changed), std::move(place_before),
                         std::move(place_after)));
}

void Document::Apply(const RecordPatch& patch, const Place* place) {
  patch.ApplyTo(record_);
  if (place) SetPlace(*place);
  emit Changed();
}

void Document::SetPlace(const Place& place) {
  if (place == Place{source_, file_name_}) return;
  source_ = place.source;
  file_name_ = place.file_name;
  emit OriginChanged();
}

}  // namespace kestrel::ui
