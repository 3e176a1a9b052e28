// The "Memory" page: the grid of the 1000 channels in the frame "Model Kestrel", and the buttons
// "Clear" (the selected rows), "Clear All", "Read" and "Write". A double-click on a row opens
// the channel editor for it.
#pragma once

#include <QWidget>

class QPushButton;

namespace kestrel::ui {

class ChannelEditorDialog;
class Document;
class MemoryGridModel;
class MemoryGridView;

class MemoryPage : public QWidget {
  Q_OBJECT

 public:
  MemoryPage(Document& document, QWidget* parent = nullptr);

  MemoryGridView* Grid() const { return grid_; }
  MemoryGridModel* GridModel() const { return model_; }

  // Opens the editor for channel `channel` (window-modal, without waiting for it to close).
  ChannelEditorDialog* OpenChannelEditor(int channel);

 public slots:
  // Shows the record again after it was replaced (New, Open, a read).
  void Reload();
  // Empties the channels of the selected rows / every channel, without asking.
  void ClearSelectedChannels();
  void ClearAllChannels();

 signals:
  void ReadRequested();
  void WriteRequested();

 private:
  void ClearChannels(int first, int last);

  Document& document_;
  MemoryGridModel* model_;
  MemoryGridView* grid_;
};

}  // namespace kestrel::ui
