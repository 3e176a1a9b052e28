#include "ui/memory_page.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/defaults.h"
#include "ui/channel_editor_dialog.h"
#include "ui/document.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_grid_view.h"
#include "ui/page_layout.h"

namespace kestrel::ui {

namespace {

QString NumberText(int channel) {
  return MemoryGridModel::ChannelNumberText(channel);
}

QPushButton* Button(const QString& caption, const char* name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QLatin1String(name));
  return button;
}

}  // namespace

MemoryPage::MemoryPage(Document& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      model_(new MemoryGridModel(document, this)),
      grid_(new MemoryGridView) {
  grid_->setObjectName(QStringLiteral("flxGrdMemory"));
  grid_->SetGridModel(model_);
  connect(grid_, &MemoryGridView::ChannelActivated, this, &MemoryPage::OpenChannelEditor);

  auto* frame = new QGroupBox(tr("Model Kestrel"));
  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->addWidget(grid_);

  QPushButton* clear = Button(tr("Clear"), "cmdClearDflt");
  QPushButton* clear_all = Button(tr("Clear All"), "cmdClearAllDflt");
  QPushButton* read = Button(tr("Read"), "cmdRead");
  QPushButton* write = Button(tr("Write"), "cmdWrite");
  connect(clear, &QPushButton::clicked, this, &MemoryPage::ClearSelectedChannels);
  connect(clear_all, &QPushButton::clicked, this, &MemoryPage::ClearAllChannels);
  connect(read, &QPushButton::clicked, this, &MemoryPage::ReadRequested);
  connect(write, &QPushButton::clicked, this, &MemoryPage::WriteRequested);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame, 1);
  layout->addLayout(PageButtonRow({clear, clear_all, read, write}));
}

ChannelEditorDialog* MemoryPage::OpenChannelEditor(int channel) {
  auto* editor = new ChannelEditorDialog(document_, channel, this);
  connect(editor, &ChannelEditorDialog::ChannelChanged, model_, &MemoryGridModel::ShowChannelRow);
  editor->open();
  return editor;
}

void MemoryPage::Reload() {
  model_->Reload();
}

void MemoryPage::ClearSelectedChannels() {
  const auto [first, last] = grid_->SelectedChannelRange();
  if (first == 0) return;
  ClearChannels(first, last);
}

void MemoryPage::ClearAllChannels() {
  ClearChannels(1, kChannelCount);
}

void MemoryPage::ClearChannels(int first, int last) {
  const QString what = first == last
                           ? tr("clear channel %1").arg(NumberText(first))
                           : tr("clear channels %1 to %2").arg(NumberText(first), NumberText(last));
  document_.Edit(what, [first, last](RadioConfig& record) {
    for (int channel = first; channel <= last; ++channel) ClearChannel(record, channel);
  });
  model_->ShowChannelRows(first, last);
}

}  // namespace kestrel::ui
