// Where the window's beeps and message boxes go. The pages never call QApplication::beep or
// QMessageBox directly: tests install their own Feedback and observe what the user would have
// heard and seen, without blocking on a modal box.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace kestrel::ui {

class Feedback {
 public:
  virtual ~Feedback() = default;

  // Refused input.
  virtual void Beep();

  // A modal box with one OK button.
  virtual void Information(QWidget* parent, const QString& title, const QString& text);
  virtual void Warning(QWidget* parent, const QString& title, const QString& text);

  // A modal question; returns the button chosen.
  virtual QMessageBox::StandardButton Question(QWidget* parent, const QString& title,
                                               const QString& text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton default_button);

  // The same question without waiting for the answer: the box opens modal to `parent` and
  // `answered` gets the button chosen (NoButton when the box was closed without one).
  virtual void Ask(QWidget* parent, const QString& title, const QString& text,
                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton default_button,
                   std::function<void(QMessageBox::StandardButton)> answered);

  // The platform's file dialogs; each returns the chosen path, or "" when the user cancelled.
  // `filter` is one Qt name filter ("dat (*.dat)"); `default_suffix` is added to a typed name
  // without one, and the save dialog asks before replacing an existing file.
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter, const QString& default_suffix);
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter, const QString& default_suffix);
};

// The Feedback in use: the platform's own unless a test installed another.
Feedback& CurrentFeedback();

// Installs `feedback` (not owned) for the whole program; nullptr goes back to the platform's.
void SetFeedback(Feedback* feedback);

}  // namespace kestrel::ui
