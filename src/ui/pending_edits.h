// A page whose edits wait for its "Set" (drawn red until then). Such edits are not in the record
// yet, so the window asks about them before anything could leave them behind: saving, writing,
// printing, replacing the record, leaving the program.
#pragma once

#include <QString>

namespace kestrel::ui {

class PendingEdits {
 public:
  virtual ~PendingEdits() = default;

  // The page as its tab names it: "Set Mode".
  virtual QString PageName() const = 0;
  virtual bool HasPendingChanges() const = 0;
  // Stores the pending changes as the page's "Set" does. False when the page refuses them; it
  // has told the user why and the changes stay pending.
  virtual bool SetPendingChanges() = 0;
  // Drops the pending changes: the page shows the record again.
  virtual void DiscardPendingChanges() = 0;
};

}  // namespace kestrel::ui
