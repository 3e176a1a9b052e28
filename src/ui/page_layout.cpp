#include "ui/page_layout.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace kestrel::ui {

namespace {

constexpr int kTwipsPerInch = 1440;

// The least width of every column in pixels; 0 for a hidden one.
std::vector<int> LeastWidths(const QTableView* view, const std::vector<int>& least_twips) {
  const QHeaderView* header = view->horizontalHeader();
  std::vector<int> widths(least_twips.size(), 0);
  for (std::size_t c = 0; c < least_twips.size(); ++c) {
    const int column = static_cast<int>(c);
    if (view->isColumnHidden(column)) continue;
    widths[c] = std::max(TwipsToPixels(view, least_twips[c]), header->sectionSizeHint(column));
  }
  return widths;
}

}  // namespace

QHBoxLayout* PageButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) {
    button->setMinimumWidth(96);
    row->addWidget(button);
  }
  return row;
}

QScrollArea* Scrolling(QWidget* frame) {
  auto* area = new QScrollArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(frame);
  area->viewport()->setAutoFillBackground(false);  // the page's own background shows through
  return area;
}

void NameAfter(QWidget* widget, const QStringList& captions) {
  QStringList parts;
  for (const QString& caption : captions) {
    const QString part = QString(caption).remove(u'&').remove(u':').trimmed();
    if (!part.isEmpty()) parts << part;
  }
  widget->setAccessibleName(parts.join(QStringLiteral(", ")));
}

int TwipsToPixels(const QWidget* widget, int twips) {
  return (twips * widget->logicalDpiX() + kTwipsPerInch / 2) / kTwipsPerInch;
}

void FitColumns(QTableView* view, const std::vector<int>& least_twips) {
  const std::vector<int> least = LeastWidths(view, least_twips);
  int total = 0;
  for (const int width : least) total += width;
  if (total == 0) return;
  const int extra = std::max(0, view->viewport()->width() - total);
  int given = 0;
  int last_shown = -1;
  QHeaderView* header = view->horizontalHeader();
  for (std::size_t c = 0; c < least.size(); ++c) {
    if (least[c] == 0) continue;
    const int width = least[c] + static_cast<int>(static_cast<long long>(extra) * least[c] / total);
    header->resizeSection(static_cast<int>(c), width);
    given += width;
    last_shown = static_cast<int>(c);
  }
  // What the rounding left goes to the last column, so the columns end at the viewport's edge.
  if (extra > 0) {
    header->resizeSection(last_shown, header->sectionSize(last_shown) + total + extra - given);
  }
}

int LeastGridWidth(const QTableView* view, const std::vector<int>& least_twips) {
  int width = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
  for (const int column : LeastWidths(view, least_twips)) width += column;
  return width;
}

}  // namespace kestrel::ui
