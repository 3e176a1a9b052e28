#include "ui/factory_page.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <limits>

#include "model/factory_limits.h"
#include "model/number_text.h"
#include "ui/change_colors.h"
#include "ui/document.h"
#include "ui/numeric_key_filter.h"
#include "ui/page_layout.h"
#include "ui/value_lists.h"

namespace kestrel::ui {

namespace {

namespace limits = factory_limits;

// A drop-down list that loses its red mark when its list opens and turns red when the focus leaves
// it, whether or not its value changed.
class MarkingList : public QComboBox {
 public:
  using QComboBox::QComboBox;

  void showPopup() override {
    MarkChanged(this, false);
    QComboBox::showPopup();
  }

 protected:
  void focusOutEvent(QFocusEvent* event) override {
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
      MarkChanged(this, true);
    }
    QComboBox::focusOutEvent(event);
  }
};

int WholeNumberOf(const QString& text) {
  const double n = RoundHalfEven(LeadingNumber(text.toStdString()));
  if (n < -2147483648.0) return std::numeric_limits<int>::min();
  if (n > 2147483647.0) return std::numeric_limits<int>::max();
  return static_cast<int>(n);
}

// A squelch or S-meter level as the field may hold it: a whole number in the level range.
QString LevelText(const QString& text) {
  return QString::number(limits::kLevel.Clamp(WholeNumberOf(text)));
}

// The TRAIN OFF time: outside its range it becomes the nearer limit, anything else stays.
QString TrainTimeText(const QString& text) {
  const int n = WholeNumberOf(text);
  return limits::kTrainFixTime.Contains(n) ? text : QString::number(limits::kTrainFixTime.Clamp(n));
}

// A list left unselected (a value it cannot show) keeps the stored value.
void StorePosition(const QComboBox* list, std::int32_t& value, int offset = 0) {
  if (list->currentIndex() >= 0) value = list->currentIndex() + offset;
}

void StoreNumber(const QLineEdit* field, std::int32_t& value) {
  value = WholeNumberOf(field->text());
}

QLabel* Heading(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

FactoryPage::FactoryPage(Document& document, QWidget* parent)
    : QWidget(parent), document_(document) {
  auto* frame = new QGroupBox(tr("Model Kestrel"), this);
  auto* groups = new QGridLayout(frame);
  groups->addWidget(BuildSqlGroup(), 0, 0);
  groups->addWidget(BuildSMeterGroup(), 0, 1);
  groups->addWidget(BuildChargeGroup(), 0, 2, Qt::AlignTop);
  groups->addWidget(BuildPwmGroup(), 1, 0, 1, 2);
  groups->addWidget(BuildDcsGroup(), 1, 2);
  groups->addWidget(BuildTsqGroup(), 2, 0);
  groups->addWidget(BuildUnlockGroup(), 2, 1);
  groups->addWidget(BuildTrainGroup(), 2, 2);
  groups->setRowStretch(3, 1);

  set_ = new QPushButton(tr("Set"), this);
  clear_ = new QPushButton(tr("Clear"), this);
  read_ = new QPushButton(tr("Read"), this);
  write_ = new QPushButton(tr("Write"), this);
  connect(set_, &QPushButton::clicked, this, &FactoryPage::StoreAll);
  connect(clear_, &QPushButton::clicked, this, &FactoryPage::Reload);
  connect(read_, &QPushButton::clicked, this, &FactoryPage::ReadRequested);
  connect(write_, &QPushButton::clicked, this, &FactoryPage::WriteRequested);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Scrolling(frame), 1);
  layout->addLayout(PageButtonRow({set_, clear_, read_, write_}));

  // The page is never shown, so nothing can be pending on it when the record changes.
  connect(&document_, &Document::Changed, this, [this] {
    if (document_.Record().Factory != stored_) Reload();
  });
  Reload();
}

QLineEdit* FactoryPage::MakeLevelField() {
  auto* field = new QLineEdit(this);
  field->setFixedWidth(70);
  field->setAlignment(Qt::AlignRight);
  connect(field, &QLineEdit::textChanged, field, [field](const QString& text) {
    const QString allowed = LevelText(text);
    if (allowed != text) field->setText(allowed);
    MarkChanged(field, true);
  });
  return field;
}

QLineEdit* FactoryPage::MakeFrequencyField(const QString& text) {
  auto* field = new QLineEdit(text, this);
  field->setFixedWidth(56);
  field->setAlignment(Qt::AlignRight);
  // Shown for the service technician's reference only; never part of the record.
  new NumericKeyFilter(field, [field] { MarkChanged(field, true); });
  return field;
}

QComboBox* FactoryPage::MakeList(int first, int last) {
  auto* list = new MarkingList(this);
  for (int n = first; n <= last; ++n) list->addItem(QString::number(n));
  list->setMaxVisibleItems(16);
  return list;
}

QWidget* FactoryPage::BuildSqlGroup() {
  auto* group = new QGroupBox(tr("SQL Setting"), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(Heading(tr("Threshold"), group), 0, 1);
  grid->addWidget(Heading(tr("Tight"), group), 0, 2);
  for (QLineEdit*& field : sql_) field = MakeLevelField();
  // FM and AM first, WFM below them.
  const std::pair<QString, int> rows[] = {{tr("FM"), 0}, {tr("AM"), 4}, {tr("WFM"), 2}};
  for (int row = 0; row < 3; ++row) {
    grid->addWidget(new QLabel(rows[row].first, group), row + 1, 0);
    QLineEdit* threshold = sql_[static_cast<std::size_t>(rows[row].second)];
    QLineEdit* tight = sql_[static_cast<std::size_t>(rows[row].second + 1)];
    NameAfter(threshold, {group->title(), rows[row].first, tr("Threshold")});
    NameAfter(tight, {group->title(), rows[row].first, tr("Tight")});
    grid->addWidget(threshold, row + 1, 1);
    grid->addWidget(tight, row + 1, 2);
  }
  return group;
}

QWidget* FactoryPage::BuildSMeterGroup() {
  auto* group = new QGroupBox(tr("S Meter"), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(Heading(tr("S-2"), group), 0, 1);
  grid->addWidget(Heading(tr("S-10"), group), 0, 2);
  for (QLineEdit*& field : smeter_) field = MakeLevelField();
  const QString names[] = {tr("FM"), tr("WFM"), tr("AM")};
  for (int row = 0; row < 3; ++row) {
    grid->addWidget(new QLabel(names[row], group), row + 1, 0);
    QLineEdit* low = smeter_[static_cast<std::size_t>(2 * row)];
    QLineEdit* high = smeter_[static_cast<std::size_t>(2 * row + 1)];
    NameAfter(low, {group->title(), names[row], tr("S-2")});
    NameAfter(high, {group->title(), names[row], tr("S-10")});
    grid->addWidget(low, row + 1, 1);
    grid->addWidget(high, row + 1, 2);
  }
  return group;
}

QWidget* FactoryPage::BuildChargeGroup() {
  auto* group = new QGroupBox(tr("Charge Time"), this);
  auto* row = new QHBoxLayout(group);
  // Hours from 1: the stored value is hours - 1.
  charge_time_ = MakeList(limits::kChargeTime.lowest + 1, limits::kChargeTime.highest + 1);
  NameAfter(charge_time_, {group->title(), tr("Hours")});
  row->addWidget(charge_time_);
  row->addWidget(new QLabel(tr("Hours"), group));
  row->addStretch();
  return group;
}

QWidget* FactoryPage::BuildPwmGroup() {
  static const char* const kAmFrequencies[] = {"530", "900", "1600", "2500"};
  static const char* const kSwFrequencies[] = {"2700", "3500", "4500", "5814"};
  auto* group = new QGroupBox(tr("Bar Antenna PWM Data"), this);
  auto* grid = new QGridLayout(group);
  for (int block = 0; block < 2; ++block) {
    const bool am = block == 0;
    const int top = block * 3;
    const QString band = am ? tr("AM") : tr("SW");
    grid->addWidget(new QLabel(band, group), top, 0);
    grid->addWidget(new QLabel(tr("Frequency(kHz)"), group), top + 1, 0);
    grid->addWidget(new QLabel(tr("PWM Data"), group), top + 2, 0);
    for (int i = 0; i < 4; ++i) {
      const auto index = static_cast<std::size_t>(i);
      const QString heading = QStringLiteral("f%1").arg(i + 1);
      grid->addWidget(Heading(heading, group), top, i + 1);
      QLineEdit*& field = am ? frequency_am_[index] : frequency_sw_[index];
      field = MakeFrequencyField(QString::fromLatin1(am ? kAmFrequencies[i] : kSwFrequencies[i]));
      QComboBox*& list = am ? pwm_am_[index] : pwm_sw_[index];
      list = MakeList(limits::kPwm.lowest, limits::kPwm.highest);
      NameAfter(field, {group->title(), band, heading, tr("Frequency(kHz)")});
      NameAfter(list, {group->title(), band, heading, tr("PWM Data")});
      grid->addWidget(field, top + 1, i + 1, Qt::AlignCenter);
      grid->addWidget(list, top + 2, i + 1);
    }
  }
  return group;
}

QWidget* FactoryPage::BuildDcsGroup() {
  auto* group = new QGroupBox(tr(" DCS "), this);
  auto* grid = new QGridLayout(group);
  error_bit_ = MakeList(limits::kDcsErrorBit.lowest, limits::kDcsErrorBit.highest);
  for (QComboBox*& list : fix_count_) {
    list = MakeList(limits::kFixCount.lowest, limits::kFixCount.highest);
  }
  NameAfter(error_bit_, {group->title(), tr("Error bit")});
  NameAfter(fix_count_[0], {group->title(), tr("Fix Count"), tr(" ON")});
  NameAfter(fix_count_[1], {group->title(), tr("Fix Count"), tr("OFF")});
  grid->addWidget(new QLabel(tr("Error bit"), group), 0, 0);
  grid->addWidget(error_bit_, 0, 1);
  grid->addWidget(new QLabel(tr("Fix Count"), group), 1, 0);
  grid->addWidget(new QLabel(tr(" ON"), group), 1, 1);
  grid->addWidget(fix_count_[0], 1, 2);
  grid->addWidget(new QLabel(tr("OFF"), group), 2, 1);
  grid->addWidget(fix_count_[1], 2, 2);
  grid->setRowStretch(3, 1);
  return group;
}

QWidget* FactoryPage::BuildTsqGroup() {
  auto* group = new QGroupBox(tr(" TSQ Fix Count"), this);
  auto* grid = new QGridLayout(group);
  const QString rows[] = {tr("TSQ / RevTSQ"), tr("TSQ-Search")};
  for (int row = 0; row < 2; ++row) {
    NameAfter(fix_count_[static_cast<std::size_t>(2 + 2 * row)],
              {group->title(), rows[row], tr(" ON")});
    NameAfter(fix_count_[static_cast<std::size_t>(3 + 2 * row)],
              {group->title(), rows[row], tr("OFF")});
    grid->addWidget(new QLabel(rows[row], group), row, 0);
    grid->addWidget(new QLabel(tr(" ON"), group), row, 1);
    grid->addWidget(fix_count_[static_cast<std::size_t>(2 + 2 * row)], row, 2);
    grid->addWidget(new QLabel(tr("OFF"), group), row, 3);
    grid->addWidget(fix_count_[static_cast<std::size_t>(3 + 2 * row)], row, 4);
  }
  grid->setRowStretch(2, 1);
  return group;
}

QWidget* FactoryPage::BuildUnlockGroup() {
  auto* group = new QGroupBox(tr(" PLL Unlock Wait Time"), this);
  auto* grid = new QGridLayout(group);
  const QString rows[] = {tr("Search"), tr("Scan"), tr("SQL")};
  for (int row = 0; row < 3; ++row) {
    unlock_wait_[static_cast<std::size_t>(row)] =
        MakeList(limits::kUnlockWait.lowest, limits::kUnlockWait.highest);
    NameAfter(unlock_wait_[static_cast<std::size_t>(row)], {group->title(), rows[row]});
    grid->addWidget(new QLabel(rows[row], group), row, 0);
    grid->addWidget(unlock_wait_[static_cast<std::size_t>(row)], row, 1);
    grid->addWidget(new QLabel(tr("mSec"), group), row, 2);
  }
  return group;
}

QWidget* FactoryPage::BuildTrainGroup() {
  auto* group = new QGroupBox(tr(" TRAIN Tone Fix "), this);
  auto* grid = new QGridLayout(group);
  train_time_ = new QLineEdit(this);
  train_time_->setFixedWidth(70);
  train_time_->setAlignment(Qt::AlignRight);
  connect(train_time_, &QLineEdit::textChanged, train_time_, [this](const QString& text) {
    const QString allowed = TrainTimeText(text);
    if (allowed != text) train_time_->setText(allowed);
    MarkChanged(train_time_, true);
  });
  NameAfter(fix_count_[6], {group->title(), tr("ON Count")});
  NameAfter(fix_count_[7], {group->title(), tr("OFF Count")});
  NameAfter(train_time_, {group->title(), tr("OFF Time")});
  grid->addWidget(new QLabel(tr("ON Count"), group), 0, 0);
  grid->addWidget(fix_count_[6], 0, 1);
  grid->addWidget(new QLabel(tr("OFF Count"), group), 1, 0);
  grid->addWidget(fix_count_[7], 1, 1);
  grid->addWidget(new QLabel(tr("OFF Time"), group), 2, 0);
  grid->addWidget(train_time_, 2, 1);
  grid->addWidget(new QLabel(tr("mSec"), group), 2, 2);
  return group;
}

QList<QWidget*> FactoryPage::Fields() const {
  QList<QWidget*> fields;
  for (QLineEdit* field : sql_) fields << field;
  for (QLineEdit* field : smeter_) fields << field;
  for (QLineEdit* field : frequency_am_) fields << field;
  for (QComboBox* list : pwm_am_) fields << list;
  for (QLineEdit* field : frequency_sw_) fields << field;
  for (QComboBox* list : pwm_sw_) fields << list;
  fields << charge_time_ << error_bit_;
  for (QComboBox* list : unlock_wait_) fields << list;
  for (QComboBox* list : fix_count_) fields << list;
  fields << train_time_;
  return fields;
}

void FactoryPage::Reload() {
  const FactorySettings& values = document_.Record().Factory;
  for (std::size_t i = 0; i < sql_.size(); ++i)
    sql_[i]->setText(QString::number(values.SqlLevel[i]));
  for (std::size_t i = 0; i < smeter_.size(); ++i) {
    smeter_[i]->setText(QString::number(values.SMeterLevel[i]));
  }
  for (std::size_t i = 0; i < pwm_am_.size(); ++i) SelectPosition(pwm_am_[i], values.PwmAm[i]);
  for (std::size_t i = 0; i < pwm_sw_.size(); ++i) SelectPosition(pwm_sw_[i], values.PwmSw[i]);
  SelectPosition(charge_time_, values.ChargeTime);
  SelectPosition(error_bit_, values.DcsErrorBit);
  for (std::size_t i = 0; i < unlock_wait_.size(); ++i) {
    SelectPosition(unlock_wait_[i], values.UnlockWait[i]);
  }
  for (std::size_t i = 0; i < fix_count_.size(); ++i) {
    SelectPosition(fix_count_[i], values.FixCount[i] - limits::kFixCount.lowest);
  }
  train_time_->setText(QString::number(values.TrainFixTime));
  stored_ = values;
  loaded_ = Shown();
}

void FactoryPage::ResetColors() {
  for (QWidget* field : Fields()) MarkChanged(field, false);
}

QString FactoryPage::PageName() const {
  return tr("Factory Settings");
}

bool FactoryPage::HasPendingChanges() const {
  return Shown() != loaded_;
}

bool FactoryPage::SetPendingChanges() {
  StoreAll();
  return true;
}

void FactoryPage::DiscardPendingChanges() {
  Reload();
  ResetColors();
}

FactorySettings FactoryPage::Shown() const {
  FactorySettings values = document_.Record().Factory;
  for (std::size_t i = 0; i < sql_.size(); ++i) StoreNumber(sql_[i], values.SqlLevel[i]);
  for (std::size_t i = 0; i < smeter_.size(); ++i) StoreNumber(smeter_[i], values.SMeterLevel[i]);
  for (std::size_t i = 0; i < pwm_am_.size(); ++i) StorePosition(pwm_am_[i], values.PwmAm[i]);
  for (std::size_t i = 0; i < pwm_sw_.size(); ++i) StorePosition(pwm_sw_[i], values.PwmSw[i]);
  StorePosition(charge_time_, values.ChargeTime);
  StorePosition(error_bit_, values.DcsErrorBit);
  for (std::size_t i = 0; i < unlock_wait_.size(); ++i) {
    StorePosition(unlock_wait_[i], values.UnlockWait[i]);
  }
  for (std::size_t i = 0; i < fix_count_.size(); ++i) {
    StorePosition(fix_count_[i], values.FixCount[i], limits::kFixCount.lowest);
  }
  StoreNumber(train_time_, values.TrainFixTime);
  return values;
}

void FactoryPage::StoreAll() {
  const FactorySettings shown = Shown();
  document_.Edit(tr("Factory Settings"), [&shown](RadioConfig& record) { record.Factory = shown; });
  loaded_ = shown;
  ResetColors();
}

}  // namespace kestrel::ui
