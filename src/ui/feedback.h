// Where the window's beeps and message boxes go. The pages never call QApplication::beep or
// QMessageBox directly: tests install their own Feedback and observe what the user would have
// heard and seen, without blocking on a modal box.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace kestrel::ui {

class Feedback {
 public:
  virtual ~Feedback() = default;

  // Refused input.
  virtual void Beep();
  // A line in the status bar of the window that holds `where` (a dialog's is that of the
  // window it belongs to).
  virtual void ShowStatus(QWidget* where, const QString& text);
  // Refused input: a beep, and why in the status bar ("Channel 000 is not stored. ...").
  void Refuse(QWidget* where, const QString& why);

  // A modal box with one OK button.
  virtual void Information(QWidget* parent, const QString& title, const QString& text);
  virtual void Warning(QWidget* parent, const QString& title, const QString& text);

  // A modal question; returns the button chosen.
  virtual QMessageBox::StandardButton Question(QWidget* parent, const QString& title,
                                               const QString& text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton default_button);

  // A window-modal question that does not wait for its answer: `answered` runs with the button
  // chosen once the user chose one (NoButton when the box went without a choice).
  virtual void Ask(QWidget* parent, const QString& title, const QString& text,
                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton default_button,
                   std::function<void(QMessageBox::StandardButton)> answered);

  // The same with buttons of the tool's own captions ("Set", "Discard", "Cancel"): the first is
  // the default, the last is what Esc and closing the box choose. `answered` gets the index of
  // the caption chosen.
  virtual void Choose(QWidget* parent, const QString& title, const QString& text,
                      const QStringList& captions, std::function<void(int)> answered);

  // A window-modal warning with one OK button that does not wait for it.
  virtual void Notify(QWidget* parent, const QString& title, const QString& text);

  // A window-modal warning of a failed transfer, its text selectable so that it can be copied,
  // with Retry beside OK; it does not wait: `answered` runs with true once Retry was chosen,
  // with false for OK or a box closed otherwise.
  virtual void TransferFailed(QWidget* parent, const QString& title, const QString& text,
                              std::function<void(bool retry)> answered);

  // The platform's file dialogs; each returns the chosen path, or "" when the user cancelled.
  // `filter` is a Qt name filter ("dat (*.dat)"), or several separated by ";;" of which the save
  // dialog hands back the one chosen in `chosen_filter`; `default_suffix` is added to a typed name
  // without one, and the save dialog asks before replacing an existing file.
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter, const QString& default_suffix);
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter, const QString& default_suffix,
                               QString* chosen_filter = nullptr);
};

// The Feedback in use: the platform's own unless a test installed another.
Feedback& CurrentFeedback();

// Installs `feedback` (not owned) for the whole program; nullptr goes back to the platform's.
void SetFeedback(Feedback* feedback);

}  // namespace kestrel::ui
