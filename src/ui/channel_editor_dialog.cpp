#include "ui/channel_editor_dialog.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "model/channel_rules.h"
#include "model/cp1252.h"
#include "model/display_texts.h"
#include "model/frequency_text.h"
#include "model/value_tables.h"
#include "ui/change_colors.h"
#include "ui/document.h"
#include "ui/feedback.h"
#include "ui/finding_text.h"
#include "ui/memory_grid_model.h"
#include "ui/name_validator.h"
#include "ui/page_layout.h"
#include "ui/typed_list_box.h"
#include "ui/value_lists.h"

namespace kestrel::ui {

namespace {

// The widths of the fields as the dialog was first drawn, in twips (1/1440 inch); they are the
// fields' least widths, scaled with the screen.
constexpr int kTwipsPerInch = 1440;
constexpr int kNumberWidth = 885, kFrequencyWidth = 1605, kNameWidth = 1605, kModeWidth = 1320;
constexpr int kToneSelectWidth = 1545, kValueListWidth = 1305;

// A drop-down list that loses its red mark when the user opens it; the next check decides.
class ValueListBox : public TypedListBox {
 public:
  using TypedListBox::TypedListBox;
  void showPopup() override {
    MarkChanged(this, false);
    QComboBox::showPopup();
  }
};

bool IsFrequencyCharacter(QChar c) {
  return (c >= u'0' && c <= u'9') || c == u'.';
}

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  return text.mid(first, last - first);
}

}  // namespace

ChannelEditorDialog::ChannelEditorDialog(Document& document, int channel, QWidget* parent)
    : QDialog(parent), document_(document), channel_(channel) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(tr("Edit Memory"));
  const RadioConfig& record = document_.Record();
  number_text_ = MemoryGridModel::CellText(record, channel_, MemoryGridModel::kNumberColumn);
  frequency_text_ = MemoryGridModel::CellText(record, channel_, MemoryGridModel::kFrequencyColumn);
  name_text_ = MemoryGridModel::CellText(record, channel_, MemoryGridModel::kNameColumn);
  // A new record makes the channel shown here meaningless.
  connect(&document_, &Document::Replaced, this, &QDialog::reject);

  BuildControls();
  last_tone_select_ = -1;
  EnableChannelButtons(false);
  FillEditorLists();
  shown_ = Stored();
  LoadChannelFields();
  ResetFieldColors();
}

void ChannelEditorDialog::BuildControls() {
  setFont(QFont(QStringLiteral("Arial"), 9));
  const auto px = [this](int twips) {
    return (twips * logicalDpiX() + kTwipsPerInch / 2) / kTwipsPerInch;
  };
  auto* frame = new QGroupBox(this);
  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(px(240));
  fields->setVerticalSpacing(px(240));

  // Every field stands under its caption, at least as wide as it was drawn.
  const auto add = [&](QWidget* field, const QString& caption, int row, int column, int twips,
                       std::optional<ChannelField> named = {}, QWidget* unit = nullptr) {
    if (named) captions_[*named] = caption;
    field->setMinimumWidth(px(twips));
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    // The number is a label, which a screen reader reads as it is.
    if (!qobject_cast<QLabel*>(field)) NameAfter(field, {caption});
    auto* line = new QHBoxLayout;
    line->addWidget(field, 1);
    if (unit) line->addWidget(unit);
    auto* cell = new QVBoxLayout;
    cell->setSpacing(2);
    cell->addWidget(label);
    cell->addLayout(line);
    fields->addLayout(cell, row, column);
  };
  const auto list = [&](const char* name) {
    auto* box = new ValueListBox;
    box->setObjectName(QLatin1String(name));
    box->installEventFilter(this);
    return box;
  };

  number_ = new QLabel;
  number_->setObjectName(QStringLiteral("lblMemNo"));
  number_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  number_->setAlignment(Qt::AlignCenter);

  frequency_ = new QLineEdit;
  frequency_->setObjectName(QStringLiteral("txtMemoryFreq"));
  frequency_->installEventFilter(this);
  // Typed keys are filtered in eventFilter; this catches what arrives by pasting or dropping.
  connect(frequency_, &QLineEdit::textEdited, this, [this](const QString& text) {
    QString kept;
    for (const QChar c : text) {
      if (IsFrequencyCharacter(c)) kept += c;
    }
    if (kept == text) return;
    frequency_->setText(kept);
    CurrentFeedback().Beep();
  });

  name_ = new QLineEdit;
  name_->setObjectName(QStringLiteral("txtMemName"));
  name_->setMaxLength(6);
  name_->setValidator(new ChannelNameValidator(name_));
  name_->installEventFilter(this);
  connect(name_, &QLineEdit::inputRejected, this, [] { CurrentFeedback().Beep(); });

  mode_ = list("cmbMemorymode");
  tone_select_ = list("cmbSelect");
  tsq_ = list("cmbTSQ");
  rev_tsq_ = list("cmbRTSQ");
  scrambler_ = list("cmbScalr");
  dcs_ = list("cmbDCS");
  rev_dcs_ = list("cmbDCSC");
  train_ = list("cmbTrain");

  add(number_, tr("No."), 0, 0, kNumberWidth);
  add(frequency_, tr("Frequency"), 0, 1, kFrequencyWidth, ChannelField::kFrequency,
      new QLabel(tr("MHz")));
  add(name_, tr("NAME"), 0, 2, kNameWidth, ChannelField::kName);
  add(mode_, tr("Mode"), 0, 3, kModeWidth, ChannelField::kMode);
  add(tone_select_, tr("TONE SELECT"), 1, 0, kToneSelectWidth, ChannelField::kToneSelect);
  add(tsq_, tr("TSQ"), 1, 1, kValueListWidth, ChannelField::kTsqTone);
  add(rev_tsq_, tr("R TSQ"), 1, 2, kValueListWidth, ChannelField::kRevTsqTone);
  add(scrambler_, tr("V.INV"), 1, 3, kValueListWidth, ChannelField::kScrambler);
  add(dcs_, tr("DCS"), 2, 1, kValueListWidth, ChannelField::kDcsCode);
  add(rev_dcs_, tr("R DCS"), 2, 2, kValueListWidth, ChannelField::kRevDcs);
  add(train_, tr("TRAIN"), 2, 3, kValueListWidth, ChannelField::kTrainTone);

  value_lists_ = {{mode_, &MemoryChannel::Mode},           {tsq_, &MemoryChannel::TsqTone},
                  {rev_tsq_, &MemoryChannel::RevTsqTone},  {dcs_, &MemoryChannel::DcsCode},
                  {scrambler_, &MemoryChannel::Scrambler}, {train_, &MemoryChannel::TrainTone}};
  for (QComboBox* box : {mode_, tone_select_, tsq_, rev_tsq_, dcs_, rev_dcs_, scrambler_, train_}) {
    connect(box, &QComboBox::currentIndexChanged, this, [this, box] { CheckList(box, false); });
  }

  set_ = new QPushButton(tr("Set"));
  set_->setObjectName(QStringLiteral("cmdMemdataSet"));
  clear_ = new QPushButton(tr("Clear"));
  clear_->setObjectName(QStringLiteral("cmdMemDataclear"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {set_, clear_}) {
    // Enter presses the focused button only (eventFilter): no button is the dialog's default.
    button->setAutoDefault(false);
    button->setMinimumWidth(px(1245));
    button->installEventFilter(this);
    buttons->addWidget(button);
  }
  connect(set_, &QPushButton::clicked, this, &ChannelEditorDialog::Set);
  connect(clear_, &QPushButton::clicked, this, &ChannelEditorDialog::Clear);

  auto* inside = new QVBoxLayout(frame);
  inside->addLayout(buttons);
  inside->addSpacing(px(240));
  inside->addLayout(fields);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  number_->setFixedHeight(frequency_->sizeHint().height());  // level with the fields beside it

  QWidget* order[] = {frequency_, name_, mode_,    tone_select_, tsq_, rev_tsq_,
                      scrambler_, dcs_,  rev_dcs_, train_,       set_, clear_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void ChannelEditorDialog::showEvent(QShowEvent* event) {
  QScreen* on = parentWidget() ? parentWidget()->screen() : screen();
  if (on) move(on->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  QDialog::showEvent(event);
}

void ChannelEditorDialog::FillEditorLists() {
  const auto fill = [](QComboBox* box, const QStringList& entries) {
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(-1);
  };
  fill(mode_, Entries(kChannelModeTable));
  fill(tone_select_, Entries(kToneSelectTable));
  fill(tsq_, Entries(kChannelToneTable));
  fill(rev_tsq_, Entries(kChannelToneTable));
  fill(dcs_, Entries(kChannelDcsTable));
  fill(rev_dcs_, QStringList{QString()} + Entries(kChannelDcsPolarityTable));
  fill(scrambler_, Entries(kChannelScramblerTable));
  fill(train_, Entries(kChannelTrainToneTable));
}

const MemoryChannel& ChannelEditorDialog::Stored() const {
  return document_.Record().Channel(channel_);
}

void ChannelEditorDialog::LoadChannelFields() {
  number_->setText(number_text_);
  frequency_->setText(frequency_text_);
  name_->setText(name_text_);
  SelectPosition(mode_, shown_.Mode);
  SelectPosition(tone_select_, shown_.ToneSelect);  // runs the tone-select check
  ApplyToneSelection(shown_.ToneSelect, true);
}

void ChannelEditorDialog::ApplyToneSelection(int tone_select, bool from_stored_channel) {
  for (QComboBox* box : {tsq_, rev_tsq_, dcs_, rev_dcs_, scrambler_, train_}) {
    SelectPosition(box, 0);
    box->setEnabled(false);
  }
  const MemoryChannel& stored = shown_;
  const auto show = [](QComboBox* box, int position) {
    box->setEnabled(true);
    SelectPosition(box, position);
  };
  const std::optional<ToneSelect> chosen = ToneSelectAt(tone_select);
  if (!chosen) return;
  const std::pair<ChannelField, QComboBox*> boxes[] = {
      {ChannelField::kTsqTone, tsq_},         {ChannelField::kRevTsqTone, rev_tsq_},
      {ChannelField::kDcsCode, dcs_},         {ChannelField::kRevDcs, rev_dcs_},
      {ChannelField::kScrambler, scrambler_}, {ChannelField::kTrainTone, train_}};
  for (const ChannelField field : ToneFieldsFor(*chosen)) {
    // The polarity list starts with a blank for none, so it shows the stored polarity one down,
    // whether or not the selection is new.
    const int position = field == ChannelField::kRevDcs ? stored.RevDcs + 1
                         : from_stored_channel          ? ToneValue(stored, field)
                                                        : StartingToneValue(field);
    for (const auto& [shown_field, box] : boxes) {
      if (shown_field == field) show(box, position);
    }
  }
}

void ChannelEditorDialog::ResetFieldColors() {
  for (QWidget* field : {static_cast<QWidget*>(frequency_), static_cast<QWidget*>(name_),
                         static_cast<QWidget*>(mode_), static_cast<QWidget*>(tone_select_),
                         static_cast<QWidget*>(tsq_), static_cast<QWidget*>(rev_tsq_),
                         static_cast<QWidget*>(dcs_), static_cast<QWidget*>(rev_dcs_),
                         static_cast<QWidget*>(scrambler_), static_cast<QWidget*>(train_)}) {
    MarkChanged(field, false);
  }
}

void ChannelEditorDialog::EnableChannelButtons(bool enabled) {
  set_->setEnabled(enabled);
  clear_->setEnabled(enabled);
}

void ChannelEditorDialog::Mark(QWidget* field) {
  EnableChannelButtons(true);
  MarkChanged(field, true);
}

void ChannelEditorDialog::CheckFrequency() {
  frequency_->setText(QString::fromStdString(ClampMhzText(frequency_->text().toStdString())));
  const QString stored = QString::fromStdString(HzToMhzText(shown_.Frequency));
  if (frequency_->text().trimmed() != stored) Mark(frequency_);
}

void ChannelEditorDialog::CheckName() {
  const QString stored = QString::fromStdString(Cp1252ToUtf8(TrimBlanks(shown_.Name)));
  if (TrimSpaces(name_->text()).toUpper() != stored.toUpper()) Mark(name_);
}

const ChannelEditorDialog::ValueList* ChannelEditorDialog::FindValueList(
    const QComboBox* box) const {
  const auto found = std::find_if(value_lists_.begin(), value_lists_.end(),
                                  [box](const ValueList& entry) { return entry.list == box; });
  return found == value_lists_.end() ? nullptr : &*found;
}

void ChannelEditorDialog::CheckList(QComboBox* box, bool losing_focus) {
  if (box == tone_select_) {
    CheckToneSelect(losing_focus);
    return;
  }
  const int position = box->currentIndex();
  bool differs = false;
  if (box == rev_dcs_) {
    // A stored "NORMAL" is marked on every change, as the receiver's editor always did.
    const int stored = shown_.RevDcs;
    differs = position - 1 != stored || (!losing_focus && stored == 0);
  } else if (const ValueList* entry = FindValueList(box)) {
    differs = position != shown_.*(entry->field);
  }
  if (differs) Mark(box);
}

void ChannelEditorDialog::CheckToneSelect(bool losing_focus) {
  const int position = tone_select_->currentIndex();
  if (losing_focus) {
    if (position != shown_.ToneSelect) Mark(tone_select_);
    return;
  }
  if (position != last_tone_select_) {
    Mark(tone_select_);
    ApplyToneSelection(position, false);
  }
  last_tone_select_ = position;
}

bool ChannelEditorDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // Opening a drop-down or switching to another program is not leaving the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      if (watched == frequency_) {
        CheckFrequency();
      } else if (watched == name_) {
        CheckName();
      } else if (auto* box = qobject_cast<QComboBox*>(watched)) {
        CheckList(box, true);
      }
    }
    return false;
  }
  if (event->type() == QEvent::KeyPress && (watched == set_ || watched == clear_)) {
    if (IsEnter(static_cast<QKeyEvent*>(event))) {
      static_cast<QPushButton*>(watched)->click();
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress && (watched == frequency_ || watched == name_)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(key)) {
      if (watched == name_) {
        CheckName();
        return true;
      }
      CheckFrequency();
      CurrentFeedback().Beep();
      return true;
    }
    if (watched == frequency_ && !key->modifiers().testFlag(Qt::ControlModifier)) {
      const QString typed = key->text();
      const bool refused = std::any_of(typed.begin(), typed.end(), [](QChar c) {
        return !IsFrequencyCharacter(c) && c != u'\b';
      });
      if (refused && key->key() != Qt::Key_Backspace && key->key() != Qt::Key_Delete &&
          key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab &&
          key->key() != Qt::Key_Escape) {
        CurrentFeedback().Beep();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

ChannelEntry ChannelEditorDialog::Entry() const {
  const auto position = [](const QComboBox* box) {
    return static_cast<std::int16_t>(box->currentIndex());
  };
  return {.Frequency = frequency_->text().toStdString(),
          .Name = name_->text().toStdString(),
          .Mode = position(mode_),
          .ToneSelect = position(tone_select_),
          .TsqTone = position(tsq_),
          .RevTsqTone = position(rev_tsq_),
          .DcsCode = position(dcs_),
          .RevDcs = static_cast<std::int16_t>(rev_dcs_->currentIndex() - 1),  // the blank is -1
          .Scrambler = position(scrambler_),
          .TrainTone = position(train_)};
}

QString ChannelEditorDialog::ChangeName() const {
  return tr("channel %1").arg(number_text_);
}

void ChannelEditorDialog::Set() {
  // Leaving the frequency field for the button normalises it; a click from code must too.
  CheckFrequency();
  const auto stored = ValidateChannel(Entry(), Stored());
  if (!stored) {
    // A refused Set still stores the step derived from frequency and mode: the editor has
    // always done so, and files written with it hold such steps.
    if (const auto step = stored.error().derived_step) {
      document_.Edit(ChangeName(),
                     [&](RadioConfig& record) { record.Channel(channel_).Step = *step; });
    }
    // The refusal names the field by the editor's own caption ("R TSQ").
    Finding shown = stored.error().finding;
    if (const auto caption = captions_.find(stored.error().field); caption != captions_.end()) {
      shown.field = caption->second.toStdString();
    }
    CurrentFeedback().Refuse(
        this, tr("Channel %1 is not stored. %2").arg(number_text_, FindingLine(shown)));
    return;
  }
  document_.Edit(ChangeName(), [&](RadioConfig& record) { record.Channel(channel_) = *stored; });
  emit ChannelChanged(channel_);
  accept();
}

void ChannelEditorDialog::Clear() {
  // The dialog shows the channel as it now is: empty, as the grid shows it.
  frequency_text_.clear();
  name_text_.clear();
  shown_ = MemoryChannel{};
  LoadChannelFields();
  ResetFieldColors();
  EnableChannelButtons(false);
  document_.Edit(ChangeName(), [&](RadioConfig& record) { record.Channel(channel_).InUse = 0; });
  // The grid must not keep showing a channel that saving, printing and programming skip.
  emit ChannelChanged(channel_);
}

}  // namespace kestrel::ui
