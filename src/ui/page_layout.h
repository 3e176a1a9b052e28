// Layout pieces the pages share.
#pragma once

#include <QHBoxLayout>
#include <QStringList>
#include <initializer_list>
#include <vector>

class QPushButton;
class QScrollArea;
class QTableView;
class QWidget;

namespace kestrel::ui {

// The row of buttons under a page's frame, right-aligned, every button the same width.
QHBoxLayout* PageButtonRow(std::initializer_list<QPushButton*> buttons);

// `frame` in a scroll area that shows scroll bars only when the page is smaller than the frame
// (a small screen, a large scale factor), so that the page's buttons below it stay in reach.
QScrollArea* Scrolling(QWidget* frame);

// Names `widget` for screen readers after the captions the user sees it under, in reading
// order: without mnemonics, colons and outer blanks, joined by ", " ("SQL Setting, FM, Tight").
void NameAfter(QWidget* widget, const QStringList& captions);

// A width in twips (1/1440 inch) in pixels of `widget`'s screen.
int TwipsToPixels(const QWidget* widget, int twips);

// Sizes the shown columns of `view` to fill its viewport: column c gets at least
// `least_twips[c]` (scaled to the screen) and at least its heading's width, and the room left over
// is shared in proportion to those widths. A viewport narrower than that scrolls sideways.
void FitColumns(QTableView* view, const std::vector<int>& least_twips);

// The least width a grid without a row header needs to show its shown columns whole, with its
// frame and vertical scroll bar.
int LeastGridWidth(const QTableView* view, const std::vector<int>& least_twips);

}  // namespace kestrel::ui
