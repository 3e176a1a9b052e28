#include "ui/memory_page_placeholder.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/page_layout.h"

namespace kestrel::ui {

PlaceholderMemoryPage::PlaceholderMemoryPage(Document&, QWidget* parent) : QWidget(parent) {
  auto* frame = new QGroupBox(tr("Model Kestrel"), this);
  auto* clear = new QPushButton(tr("Clear"), this);
  auto* clear_all = new QPushButton(tr("Clear All"), this);
  auto* read = new QPushButton(tr("Read"), this);
  auto* write = new QPushButton(tr("Write"), this);
  clear->setEnabled(false);
  clear_all->setEnabled(false);
  connect(read, &QPushButton::clicked, this, &PlaceholderMemoryPage::ReadRequested);
  connect(write, &QPushButton::clicked, this, &PlaceholderMemoryPage::WriteRequested);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame, 1);
  layout->addLayout(PageButtonRow({clear, clear_all, read, write}));
}

}  // namespace kestrel::ui
