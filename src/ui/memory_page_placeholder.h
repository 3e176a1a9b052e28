// Stands in for the Memory page until the channel grid is part of the build: the page's frame
// and its four buttons, with the same slot and signals as the real page.
#pragma once

#include <QWidget>

class QPushButton;

namespace kestrel::ui {

class Document;

class PlaceholderMemoryPage : public QWidget {
  Q_OBJECT

 public:
  PlaceholderMemoryPage(Document& document, QWidget* parent);

 public slots:
  void Reload() {}

 signals:
  void ReadRequested();
  void WriteRequested();
};

}  // namespace kestrel::ui
