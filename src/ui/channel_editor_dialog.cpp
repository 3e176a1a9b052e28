#include "ui/channel_editor_dialog.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>

#include "model/channel_rules.h"
#include "model/cp1252.h"
#include "model/display_texts.h"
#include "model/frequency_text.h"
#include "model/value_tables.h"
#include "ui/change_colors.h"
#include "ui/document.h"
#include "ui/feedback.h"
#include "ui/memory_grid_model.h"
#include "ui/name_validator.h"
#include "ui/value_lists.h"

namespace kestrel::ui {

namespace {

// Layout of the dialog in twips (1/1440 inch), as it was drawn; scaled with the screen.
constexpr int kTwipsPerInch = 1440;
constexpr int kClientWidth = 9915, kClientHeight = 4740;
constexpr int kFrameLeft = 135, kFrameTop = 180, kFrameWidth = 9690, kFrameHeight = 4410;
constexpr int kLabelRise = 240;
constexpr int kListHeight = 315, kFieldHeight = 285;

// A drop-down list that loses its red mark when the user opens it; the next check decides.
class ValueListBox : public QComboBox {
 public:
  using QComboBox::QComboBox;
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
  LoadChannelFields();
  ResetFieldColors();
}

void ChannelEditorDialog::BuildControls() {
  setFont(QFont(QStringLiteral("Arial"), 9));
  const auto px = [this](int twips) {
    return (twips * logicalDpiX() + kTwipsPerInch / 2) / kTwipsPerInch;
  };
  setFixedSize(px(kClientWidth), px(kClientHeight));
  auto* frame = new QGroupBox(this);
  frame->setGeometry(px(kFrameLeft), px(kFrameTop), px(kFrameWidth), px(kFrameHeight));

  // Places `widget` in the frame; a control never gets lower than its font needs.
  const auto place = [&](QWidget* widget, int left, int top, int width, int height) {
    widget->setParent(frame);
    widget->setGeometry(px(left), px(top), px(width),
                        std::max(px(height), widget->sizeHint().height()));
  };
  const auto caption = [&](const QString& text, int left, int top, int width) {
    auto* label = new QLabel(text);
    place(label, left, top - kLabelRise, width, kLabelRise);
    return label;
  };
  const auto list = [&](const char* name, const QString& label_text, int left, int top, int width) {
    auto* box = new ValueListBox;
    box->setObjectName(QLatin1String(name));
    place(box, left, top, width, kListHeight);
    caption(label_text, left, top, width);
    box->installEventFilter(this);
    return box;
  };

  number_ = new QLabel;
  number_->setObjectName(QStringLiteral("lblMemNo"));
  number_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  number_->setAlignment(Qt::AlignCenter);
  place(number_, 285, 1290, 885, kFieldHeight);
  caption(tr("No."), 285, 1290, 885);

  frequency_ = new QLineEdit;
  frequency_->setObjectName(QStringLiteral("txtMemoryFreq"));
  place(frequency_, 1305, 1275, 1605, kFieldHeight);
  caption(tr("Frequency"), 1305, 1275, 1605);
  auto* unit = new QLabel(tr("MHz"));
  place(unit, 2970, 1275, 600, kFieldHeight);
  unit->setFixedHeight(frequency_->height());
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
  place(name_, 3945, 1275, 1605, kFieldHeight);
  caption(tr("NAME"), 3945, 1275, 1605);
  name_->installEventFilter(this);
  connect(name_, &QLineEdit::inputRejected, this, [] { CurrentFeedback().Beep(); });

  mode_ = list("cmbMemorymode", tr("Mode"), 5865, 1275, 1320);
  tone_select_ = list("cmbSelect", tr("TONE SELECT"), 240, 2400, 1545);
  tsq_ = list("cmbTSQ", tr("TSQ"), 3240, 2400, 1305);
  rev_tsq_ = list("cmbRTSQ", tr("R TSQ"), 5160, 2400, 1305);
  scrambler_ = list("cmbScalr", tr("V.INV"), 7560, 2400, 1305);
  dcs_ = list("cmbDCS", tr("DCS"), 3240, 3360, 1305);
  rev_dcs_ = list("cmbDCSC", tr("R DCS"), 5160, 3360, 1305);
  train_ = list("cmbTrain", tr("TRAIN"), 7560, 3360, 1305);
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
  for (QPushButton* button : {set_, clear_}) button->setAutoDefault(false);
  place(set_, 6750, 330, 1245, 420);
  place(clear_, 8070, 330, 1245, 420);
  connect(set_, &QPushButton::clicked, this, &ChannelEditorDialog::Set);
  connect(clear_, &QPushButton::clicked, this, &ChannelEditorDialog::Clear);

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
  SelectPosition(mode_, Stored().Mode);
  SelectPosition(tone_select_, Stored().ToneSelect);  // runs the tone-select check
  ApplyToneSelection(Stored().ToneSelect, true);
}

void ChannelEditorDialog::ApplyToneSelection(int tone_select, bool from_stored_channel) {
  for (QComboBox* box : {tsq_, rev_tsq_, dcs_, rev_dcs_, scrambler_, train_}) {
    SelectPosition(box, 0);
    box->setEnabled(false);
  }
  const MemoryChannel& stored = Stored();
  const auto show = [](QComboBox* box, int position) {
    box->setEnabled(true);
    SelectPosition(box, position);
  };
  const std::optional<ToneSelect> chosen = ToneSelectAt(tone_select);
  if (!chosen) return;
  switch (*chosen) {
    case ToneSelect::kVfo:
      break;
    case ToneSelect::kTsq:
      show(tsq_, from_stored_channel ? stored.TsqTone : kDefaultTone);
      break;
    case ToneSelect::kRevTsq:
      show(rev_tsq_, from_stored_channel ? stored.RevTsqTone : kDefaultTone);
      break;
    case ToneSelect::kTrain:
      show(train_, from_stored_channel ? stored.TrainTone : kDefaultTrainTone);
      break;
    case ToneSelect::kScrambler:
      show(scrambler_, from_stored_channel ? stored.Scrambler : kDefaultScrambler);
      break;
    case ToneSelect::kDcs:
      show(dcs_, from_stored_channel ? stored.DcsCode : kDefaultDcsCode);
      show(rev_dcs_, stored.RevDcs + 1);
      break;
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
  const QString stored = QString::fromStdString(HzToMhzText(Stored().Frequency));
  if (frequency_->text().trimmed() != stored) Mark(frequency_);
}

void ChannelEditorDialog::CheckName() {
  const QString stored = QString::fromStdString(Cp1252ToUtf8(TrimBlanks(Stored().Name)));
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
    const int stored = Stored().RevDcs;
    differs = position - 1 != stored || (!losing_focus && stored == 0);
  } else if (const ValueList* entry = FindValueList(box)) {
    differs = position != Stored().*(entry->field);
  }
  if (differs) Mark(box);
}

void ChannelEditorDialog::CheckToneSelect(bool losing_focus) {
  const int position = tone_select_->currentIndex();
  if (losing_focus) {
    if (position != Stored().ToneSelect) Mark(tone_select_);
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
    CurrentFeedback().Refuse(
        this, tr("Channel %1 is not stored. %2")
                  .arg(number_text_, QString::fromStdString(stored.error().ToString())));
    return;
  }
  document_.Edit(ChangeName(), [&](RadioConfig& record) { record.Channel(channel_) = *stored; });
  emit ChannelChanged(channel_);
  accept();
}

void ChannelEditorDialog::Clear() {
  EnableChannelButtons(false);
  LoadChannelFields();
  ResetFieldColors();
  document_.Edit(ChangeName(), [&](RadioConfig& record) { record.Channel(channel_).InUse = 0; });
  // The grid must not keep showing a channel that saving, printing and programming skip.
  emit ChannelChanged(channel_);
}

}  // namespace kestrel::ui
