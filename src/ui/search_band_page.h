// The "Search Band Memory" page: the 24 search bands in a grid. Clicking a row opens the edit
// frame for it; a limit that differs from the record turns its cell red. "Set" stores the whole
// grid unless some band's upper limit is not above its lower limit; "Clear" drops the edits.
#pragma once

#include <QWidget>
#include <array>

#include "model/radio_config.h"
#include "ui/pending_edits.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kestrel::ui {

class Document;

class SearchBandPage : public QWidget, public PendingEdits {
  Q_OBJECT

 public:
  static constexpr int kLabelColumn = 0;
  static constexpr int kLowColumn = 2;
  static constexpr int kUpperColumn = 3;

  SearchBandPage(Document& document, QWidget* parent);
  ~SearchBandPage() override;

  QTableWidget* Grid() const { return grid_; }
  QFrame* EditFrame() const { return edit_frame_; }
  QLabel* LowBandLabel() const { return low_band_; }
  QLabel* UpperBandLabel() const { return upper_band_; }
  QLineEdit* LowField() const { return low_field_; }
  QLineEdit* UpperField() const { return upper_field_; }
  QPushButton* SetButton() const { return set_; }
  QPushButton* ClearButton() const { return clear_; }
  QPushButton* ReadButton() const { return read_; }
  QPushButton* WriteButton() const { return write_; }

  QString PageName() const override;
  // A cell that differs from the record, or a field of the edit frame not applied yet.
  bool HasPendingChanges() const override;
  bool SetPendingChanges() override;
  void DiscardPendingChanges() override;

  // Opens the edit frame for band 0 to 23, as a click on its row does.
  void OpenBand(int band);
  void CloseEditFrame();
  // Makes band 0 to 23 the current row of the grid, with the focus.
  void FocusBand(int band);

 public slots:
  // Shows the record's bands; colours and buttons stay as they are.
  void Reload();

 signals:
  void ReadRequested();
  void WriteRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyField(int column);
  // After an undo or redo: shows the record's new limits where no edit is pending.
  void ShowRecordChanges();
  // Stores the grid, or refuses it and says why; returns whether it stored.
  bool StoreGrid();
  void ClearEdits();
  void FinishEdit();
  QString CellText(int band, int column) const;
  void SetCellText(int band, int column, const QString& text);

  Document& document_;
  QTableWidget* grid_ = nullptr;
  QFrame* edit_frame_ = nullptr;
  QLabel* low_band_ = nullptr;
  QLabel* upper_band_ = nullptr;
  QLineEdit* low_field_ = nullptr;
  QLineEdit* upper_field_ = nullptr;
  QPushButton* set_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* read_ = nullptr;
  QPushButton* write_ = nullptr;
  QObject* low_filter_ = nullptr;
  QObject* upper_filter_ = nullptr;
  int current_band_ = 0;
  std::array<SearchBand, kSearchBandCount> shown_{};  // the record's limits the grid last showed
};

}  // namespace kestrel::ui
