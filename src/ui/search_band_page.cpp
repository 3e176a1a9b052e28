#include "ui/search_band_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <tuple>
#include <vector>

#include "model/display_texts.h"
#include "model/frequency_text.h"
#include "model/number_text.h"
#include "ui/change_colors.h"
#include "ui/document.h"
#include "ui/feedback.h"
#include "ui/numeric_key_filter.h"
#include "ui/page_layout.h"
#include "ui/window_title.h"

namespace kestrel::ui {

namespace {

// The grid's columns as the page was drawn, in twips: "No.", the spacer, the two limits.
const std::vector<int> kColumnTwips = {600, 2, 1750, 1750};

double NumberOf(const QString& text) {
  return LeadingNumber(text.trimmed().toStdString());
}

// Whether a field's text stands for another limit than the stored one. An emptied field counts
// as a change unless the stored limit is empty too.
bool DiffersFrom(const QString& shown, const std::string& stored) {
  const QString stored_text = QString::fromStdString(stored).trimmed();
  if (shown.trimmed().isEmpty() || stored_text.isEmpty()) {
    return shown.trimmed().isEmpty() != stored_text.isEmpty();
  }
  return NumberOf(shown) != NumberOf(stored_text);
}

}  // namespace

SearchBandPage::SearchBandPage(Document& document, QWidget* parent)
    : QWidget(parent), document_(document) {
  auto* frame = new QGroupBox(tr("Model Kestrel"), this);

  grid_ = new QTableWidget(kSearchBandCount, 4, frame);
  grid_->setHorizontalHeaderLabels(
      {tr("No."), QString(), tr("Low Frequency"), tr("Upper Frequency")});
  NameAfter(grid_, {tr("Search Band Memory")});
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // The spacer column only ever separated the label from the limits: the grid lines do that.
  grid_->setColumnHidden(1, true);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setMinimumWidth(LeastGridWidth(grid_, kColumnTwips));
  for (int band = 0; band < kSearchBandCount; ++band) {
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      grid_->setItem(band, column, item);
    }
    grid_->item(band, kLabelColumn)->setText(QString::fromStdString(SearchBandLabel(band)));
  }
  grid_->viewport()->installEventFilter(this);
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) { OpenBand(row); });
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenBand(row); });
  // Enter on a row (or a double-click) goes on to its lower limit, ready to be typed over.
  connect(grid_, &QTableWidget::cellActivated, this, [this](int row, int) {
    OpenBand(row);
    low_field_->setFocus(Qt::OtherFocusReason);
    low_field_->selectAll();
  });
  // An open edit frame follows the current row wherever it moves, the arrow keys included.
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (row >= 0 && row != current_band_ && !edit_frame_->isHidden()) OpenBand(row);
  });

  edit_frame_ = new QFrame(frame);
  edit_frame_->setFrameShape(QFrame::StyledPanel);
  auto* edit = new QGridLayout(edit_frame_);
  low_band_ = new QLabel(edit_frame_);
  upper_band_ = new QLabel(edit_frame_);
  low_field_ = new QLineEdit(edit_frame_);
  upper_field_ = new QLineEdit(edit_frame_);
  struct Line {
    QLabel* band;
    QString caption;
    QLineEdit* field;
  };
  const Line lines[] = {{low_band_, tr("Low Frequency"), low_field_},
                        {upper_band_, tr("Upper Frequency"), upper_field_}};
  for (int row = 0; row < 2; ++row) {
    const Line& line = lines[row];
    auto* caption = new QLabel(line.caption, edit_frame_);
    caption->setBuddy(line.field);
    NameAfter(line.field, {line.caption});
    line.band->setMinimumWidth(32);
    line.field->setFixedWidth(110);
    line.field->setAlignment(Qt::AlignRight);
    edit->addWidget(new QLabel(tr("No."), edit_frame_), row, 0);
    edit->addWidget(line.band, row, 1);
    edit->addWidget(caption, row, 2);
    edit->addWidget(line.field, row, 3);
    edit->addWidget(new QLabel(tr("MHz"), edit_frame_), row, 4);
  }
  low_filter_ = new NumericKeyFilter(low_field_, [this] { ApplyField(kLowColumn); });
  upper_filter_ = new NumericKeyFilter(upper_field_, [this] { ApplyField(kUpperColumn); });
  edit_frame_->hide();
  // The frame keeps its place while hidden, so opening a row does not move the grid.
  QSizePolicy policy = edit_frame_->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  edit_frame_->setSizePolicy(policy);

  auto* frame_layout = new QHBoxLayout(frame);
  frame_layout->addWidget(grid_, 1);
  frame_layout->addSpacing(16);
  frame_layout->addWidget(edit_frame_, 0, Qt::AlignTop);

  set_ = new QPushButton(tr("Set"), this);
  clear_ = new QPushButton(tr("Clear"), this);
  read_ = new QPushButton(tr("Read"), this);
  write_ = new QPushButton(tr("Write"), this);
  set_->setEnabled(false);
  clear_->setEnabled(false);
  connect(set_, &QPushButton::clicked, this, [this] { StoreGrid(); });
  connect(clear_, &QPushButton::clicked, this, &SearchBandPage::ClearEdits);
  connect(read_, &QPushButton::clicked, this, &SearchBandPage::ReadRequested);
  connect(write_, &QPushButton::clicked, this, &SearchBandPage::WriteRequested);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame, 1);
  layout->addLayout(PageButtonRow({set_, clear_, read_, write_}));

  connect(&document_, &Document::Changed, this, &SearchBandPage::ShowRecordChanges);
  Reload();
}

// The fields lose the focus while the page goes; by then there is nothing left to apply to.
SearchBandPage::~SearchBandPage() {
  delete low_filter_;
  delete upper_filter_;
}

QString SearchBandPage::CellText(int band, int column) const {
  return grid_->item(band, column)->text();
}

void SearchBandPage::SetCellText(int band, int column, const QString& text) {
  grid_->item(band, column)->setText(text);
}

QString SearchBandPage::PageName() const {
  return tr("Search Band Memory");
}

void SearchBandPage::Reload() {
  for (int band = 0; band < kSearchBandCount; ++band) {
    const SearchBand& limits = document_.Record().Band(band);
    SetCellText(band, kLowColumn, QString::fromStdString(limits.LowFrequency).trimmed());
    SetCellText(band, kUpperColumn, QString::fromStdString(limits.UpperFrequency).trimmed());
    shown_[static_cast<std::size_t>(band)] = limits;
  }
}

void SearchBandPage::ShowRecordChanges() {
  for (int band = 0; band < kSearchBandCount; ++band) {
    SearchBand& shown = shown_[static_cast<std::size_t>(band)];
    const SearchBand& stored = document_.Record().Band(band);
    for (const auto& [column, before, now] :
         {std::tuple{kLowColumn, &shown.LowFrequency, &stored.LowFrequency},
          std::tuple{kUpperColumn, &shown.UpperFrequency, &stored.UpperFrequency}}) {
      const QString old_text = QString::fromStdString(*before).trimmed();
      const QString new_text = QString::fromStdString(*now).trimmed();
      if (old_text == new_text || CellText(band, column) != old_text) continue;
      SetCellText(band, column, new_text);
      QLineEdit* field = column == kLowColumn ? low_field_ : upper_field_;
      if (band == current_band_ && !edit_frame_->isHidden() && field->text() == old_text) {
        field->setText(new_text);
      }
    }
    shown = stored;
  }
}

bool SearchBandPage::HasPendingChanges() const {
  for (int band = 0; band < kSearchBandCount; ++band) {
    const SearchBand& stored = document_.Record().Band(band);
    if (DiffersFrom(CellText(band, kLowColumn), stored.LowFrequency) ||
        DiffersFrom(CellText(band, kUpperColumn), stored.UpperFrequency)) {
      return true;
    }
  }
  if (edit_frame_->isHidden()) return false;
  for (const auto& [field, column] :
       {std::pair{low_field_, kLowColumn}, {upper_field_, kUpperColumn}}) {
    const QString applied = QString::fromStdString(ClampMhzText(field->text().toStdString()));
    if (applied != CellText(current_band_, column)) return true;
  }
  return false;
}

bool SearchBandPage::SetPendingChanges() {
  ApplyField(kLowColumn);
  ApplyField(kUpperColumn);
  return StoreGrid();
}

void SearchBandPage::DiscardPendingChanges() {
  ClearEdits();
}

void SearchBandPage::OpenBand(int band) {
  current_band_ = band;
  if (grid_->currentRow() != band) grid_->setCurrentCell(band, kLowColumn);
  low_band_->setText(CellText(band, kLabelColumn));
  upper_band_->setText(CellText(band, kLabelColumn));
  low_field_->setText(CellText(band, kLowColumn));
  upper_field_->setText(CellText(band, kUpperColumn));
  edit_frame_->show();
}

void SearchBandPage::FocusBand(int band) {
  grid_->setCurrentCell(band, 0);
  grid_->setFocus();
}

void SearchBandPage::CloseEditFrame() {
  edit_frame_->hide();
}

void SearchBandPage::ApplyField(int column) {
  if (edit_frame_->isHidden()) return;  // the frame is closing; nothing was left by the user
  QLineEdit* field = column == kLowColumn ? low_field_ : upper_field_;
  const QString text = QString::fromStdString(ClampMhzText(field->text().toStdString()));
  field->setText(text);
  SetCellText(current_band_, column, text);
  const SearchBand& stored = document_.Record().Band(current_band_);
  if (DiffersFrom(text, column == kLowColumn ? stored.LowFrequency : stored.UpperFrequency)) {
    MarkChanged(grid_->item(current_band_, column), true);
    set_->setEnabled(true);
    // Only a changed lower limit enables Clear.
    if (column == kLowColumn) clear_->setEnabled(true);
  }
}

bool SearchBandPage::StoreGrid() {
  for (int band = 0; band < kSearchBandCount; ++band) {
    const QString low = CellText(band, kLowColumn);
    const QString upper = CellText(band, kUpperColumn);
    if (NumberOf(upper) <= NumberOf(low)) {
      CurrentFeedback().Refuse(
          this, tr("The search bands are not stored. Band %1: the upper limit %2 MHz is not above "
                   "the lower limit %3 MHz.")
                    .arg(CellText(band, kLabelColumn), upper.isEmpty() ? tr("(none)") : upper,
                         low.isEmpty() ? tr("(none)") : low));
      return false;
    }
  }
  document_.Edit(tr("Search Band Memory"), [this](RadioConfig& record) {
    for (int band = 0; band < kSearchBandCount; ++band) {
      record.Band(band) = {CellText(band, kLowColumn).trimmed().toStdString(),
                           CellText(band, kUpperColumn).trimmed().toStdString()};
    }
  });
  FinishEdit();
  CloseEditFrame();
  return true;
}

void SearchBandPage::ClearEdits() {
  Reload();
  FinishEdit();
  CloseEditFrame();
}

void SearchBandPage::FinishEdit() {
  for (int band = 0; band < kSearchBandCount; ++band) {
    MarkChanged(grid_->item(band, kLowColumn), false);
    MarkChanged(grid_->item(band, kUpperColumn), false);
  }
  clear_->setEnabled(false);
  set_->setEnabled(false);
}

bool SearchBandPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_->viewport() && event->type() == QEvent::Resize) {
    FitColumns(grid_, kColumnTwips);
  }
  if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const Qt::KeyboardModifiers held =
        mouse->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (mouse->button() == Qt::LeftButton && held == Qt::ControlModifier) {
      CurrentFeedback().Information(this, ApplicationTitle(), tr("Ctrl Key + LeftClick"));
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kestrel::ui
