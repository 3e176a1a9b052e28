// The "Set Mode" page: the receiver's 35 menu functions, each with a drop-down list of its values.
// A choice that differs from the record turns the function's name red and enables "Set" and
// "Clear"; "Set" stores every list into the record, "Clear" shows the record again.
#pragma once

#include <QWidget>
#include <array>

#include "model/radio_config.h"
#include "model/value_tables.h"
#include "ui/pending_edits.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kestrel::ui {

class Document;

class SetModePage : public QWidget, public PendingEdits {
  Q_OBJECT

 public:
  SetModePage(Document& document, QWidget* parent);

  QComboBox* List(int function) const { return lists_[function]; }
  QLabel* FunctionLabel(int function) const { return names_[function]; }
  QPushButton* SetButton() const { return set_; }
  QPushButton* ClearButton() const { return clear_; }
  QPushButton* ReadButton() const { return read_; }
  QPushButton* WriteButton() const { return write_; }
  // Puts the focus on the list of `function`.
  void FocusFunction(int function);

  QString PageName() const override;
  bool HasPendingChanges() const override;
  bool SetPendingChanges() override;
  void DiscardPendingChanges() override;

 public slots:
  // Shows the record's values; colours and buttons stay as they are.
  void Reload();

 signals:
  void ReadRequested();
  void WriteRequested();

 private:
  // After an undo or redo: shows the record's new values where no choice is pending.
  void ShowRecordChanges();
  void OnChosen(int function);
  void StoreAll();
  void ClearEdits();
  void ResetColors();
  void EnableButtons(bool enabled);

  Document& document_;
  std::array<QLabel*, kSetModeFunctionCount> names_{};
  std::array<QComboBox*, kSetModeFunctionCount> lists_{};
  decltype(RadioConfig::SetMode) shown_{};  // the record's values the lists last showed
  QPushButton* set_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* read_ = nullptr;
  QPushButton* write_ = nullptr;
};

}  // namespace kestrel::ui
