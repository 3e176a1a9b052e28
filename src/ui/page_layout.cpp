#include "ui/page_layout.h"

#include <QPushButton>

namespace kestrel::ui {

QHBoxLayout* PageButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) {
    button->setMinimumWidth(96);
    row->addWidget(button);
  }
  return row;
}

}  // namespace kestrel::ui
