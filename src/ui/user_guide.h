// The guide to the window: the README's "Using the window", built into the program, in a
// read-only viewer that does not block the window it belongs to.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace kestrel::ui {

// The guide as Markdown, from its first heading.
QString UserGuideText();

class UserGuideDialog : public QDialog {
  Q_OBJECT

 public:
  explicit UserGuideDialog(QWidget* parent);

  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

// Shows the guide beside the window that holds `from`, one guide for each window: a second
// request raises the open one. A modal dialog's guide belongs to that dialog, so that it can be
// read and scrolled while the dialog waits.
UserGuideDialog* ShowUserGuide(QWidget* from);

}  // namespace kestrel::ui
