#include "ui/set_mode_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/change_colors.h"
#include "ui/document.h"
#include "ui/page_layout.h"
#include "ui/value_lists.h"

namespace kestrel::ui {

namespace {

constexpr int kLeftColumnRows = 21;  // functions 0 to 20 on the left, 21 to 34 on the right

// "ADJUST" keeps its value table in the model but offers no list here.
bool HasList(int function) {
  return function != fn::kAdjust && !SetModeValueTable(function).empty();
}

}  // namespace

SetModePage::SetModePage(Document& document, QWidget* parent)
    : QWidget(parent), document_(document) {
  auto* frame = new QGroupBox(tr("Model Kestrel"), this);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(2);
  for (int side = 0; side < 2; ++side) {
    const int column = side * 4;
    grid->addWidget(new QLabel(tr("No."), frame), 0, column);
    grid->addWidget(new QLabel(tr("Function"), frame), 0, column + 1);
    grid->addWidget(new QLabel(tr("Settings"), frame), 0, column + 2);
  }
  grid->setColumnMinimumWidth(3, 40);
  grid->setColumnStretch(3, 1);
  grid->setColumnStretch(7, 1);

  for (int i = 0; i < kSetModeFunctionCount; ++i) {
    const bool left = i < kLeftColumnRows;
    const int row = 1 + (left ? i : i - kLeftColumnRows);
    const int column = left ? 0 : 4;
    auto* number = new QLabel(QString::number(i), frame);
    number->setMinimumWidth(24);
    names_[i] = new QLabel(QString::fromLatin1(SetModeFunctionName(i)), frame);
    names_[i]->setMinimumWidth(64);
    lists_[i] = new QComboBox(frame);
    lists_[i]->setEditable(false);
    lists_[i]->setMinimumWidth(110);
    // Read out by its function, not by the value it shows.
    lists_[i]->setAccessibleName(names_[i]->text());
    names_[i]->setBuddy(lists_[i]);
    if (HasList(i)) {
      lists_[i]->addItems(Entries(SetModeValueTable(i)));
      lists_[i]->setMaxVisibleItems(16);
    }
    lists_[i]->setVisible(HasList(i));
    // A list that is hidden keeps its row's height so both columns stay aligned.
    QSizePolicy policy = lists_[i]->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    lists_[i]->setSizePolicy(policy);
    connect(lists_[i], &QComboBox::activated, this, [this, i] { OnChosen(i); });
    grid->addWidget(number, row, column);
    grid->addWidget(names_[i], row, column + 1);
    grid->addWidget(lists_[i], row, column + 2);
  }
  grid->setRowStretch(kLeftColumnRows + 1, 1);

  set_ = new QPushButton(tr("Set"), this);
  clear_ = new QPushButton(tr("Clear"), this);
  read_ = new QPushButton(tr("Read"), this);
  write_ = new QPushButton(tr("Write"), this);
  connect(set_, &QPushButton::clicked, this, &SetModePage::StoreAll);
  connect(clear_, &QPushButton::clicked, this, &SetModePage::ClearEdits);
  connect(read_, &QPushButton::clicked, this, &SetModePage::ReadRequested);
  connect(write_, &QPushButton::clicked, this, &SetModePage::WriteRequested);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Scrolling(frame), 1);
  layout->addLayout(PageButtonRow({set_, clear_, read_, write_}));

  connect(&document_, &Document::Changed, this, &SetModePage::ShowRecordChanges);
  Reload();
  EnableButtons(false);
}

void SetModePage::FocusFunction(int function) {
  lists_[function]->setFocus();
}

QString SetModePage::PageName() const {
  return tr("Set Mode");
}

void SetModePage::Reload() {
  const RadioConfig& record = document_.Record();
  for (int i = 0; i < kSetModeFunctionCount; ++i) {
    if (lists_[i]->count() > 0) {
      SelectPosition(lists_[i], record.SetMode[static_cast<std::size_t>(i)]);
    }
  }
  shown_ = record.SetMode;
}

void SetModePage::ShowRecordChanges() {
  const auto& stored = document_.Record().SetMode;
  if (stored == shown_) return;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    QComboBox* list = lists_[i];
    if (list->count() == 0 || stored[i] == shown_[i]) continue;
    const bool pending = list->currentIndex() >= 0 && list->currentIndex() != shown_[i];
    if (!pending) SelectPosition(list, stored[i]);
    MarkChanged(names_[i], list->currentIndex() >= 0 && list->currentIndex() != stored[i]);
  }
  shown_ = stored;
}

bool SetModePage::HasPendingChanges() const {
  const auto& stored = document_.Record().SetMode;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const int shown = lists_[i]->currentIndex();
    if (lists_[i]->count() > 0 && shown >= 0 && shown != stored[i]) return true;
  }
  return false;
}

bool SetModePage::SetPendingChanges() {
  StoreAll();
  return true;
}

void SetModePage::DiscardPendingChanges() {
  ClearEdits();
}

void SetModePage::OnChosen(int function) {
  const int stored = document_.Record().SetMode[static_cast<std::size_t>(function)];
  const bool changed = lists_[function]->currentIndex() != stored;
  MarkChanged(names_[function], changed);
  if (changed) EnableButtons(true);
}

void SetModePage::StoreAll() {
  ResetColors();
  document_.Edit(tr("Set Mode"), [this](RadioConfig& record) {
    for (int i = 0; i < kSetModeFunctionCount; ++i) {
      // An empty list, or one left unselected for a value it cannot show, keeps the stored value.
      if (lists_[i]->count() == 0 || lists_[i]->currentIndex() < 0) continue;
      record.SetMode[static_cast<std::size_t>(i)] =
          static_cast<std::int16_t>(lists_[i]->currentIndex());
    }
  });
  EnableButtons(false);
}

void SetModePage::ClearEdits() {
  ResetColors();
  Reload();
  EnableButtons(false);
}

void SetModePage::ResetColors() {
  for (QLabel* name : names_) MarkChanged(name, false);
}

void SetModePage::EnableButtons(bool enabled) {
  set_->setEnabled(enabled);
  clear_->setEnabled(enabled);
}

}  // namespace kestrel::ui
