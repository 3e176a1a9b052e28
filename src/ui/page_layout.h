// Layout pieces the pages share.
#pragma once

#include <QHBoxLayout>
#include <initializer_list>

class QPushButton;

namespace kestrel::ui {

// The row of buttons under a page's frame, right-aligned, every button the same width.
QHBoxLayout* PageButtonRow(std::initializer_list<QPushButton*> buttons);

}  // namespace kestrel::ui
