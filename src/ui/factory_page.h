// The " Factory Settings" page: the service adjustments (squelch and S-meter calibration, bar
// antenna tuning, charge time, decoding counts, PLL wait times). The window builds, fills and
// loads it like the other pages but never lets the user select it. Edited fields turn red;
// "Set" stores every field and takes every mark away, "Clear" loads the record again.
#pragma once

#include <QWidget>
#include <array>

#include "model/radio_config.h"
#include "ui/pending_edits.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kestrel::ui {

class Document;

class FactoryPage : public QWidget, public PendingEdits {
  Q_OBJECT

 public:
  FactoryPage(Document& document, QWidget* parent);

  // SqlLevel and SMeterLevel: FM, WFM, AM; the first of each pair is Threshold / S-2.
  QLineEdit* SqlField(int i) const { return sql_[i]; }
  QLineEdit* SMeterField(int i) const { return smeter_[i]; }
  QLineEdit* AmFrequencyField(int i) const { return frequency_am_[i]; }
  QLineEdit* SwFrequencyField(int i) const { return frequency_sw_[i]; }
  QLineEdit* TrainTimeField() const { return train_time_; }
  QComboBox* PwmAmList(int i) const { return pwm_am_[i]; }
  QComboBox* PwmSwList(int i) const { return pwm_sw_[i]; }
  QComboBox* ChargeTimeList() const { return charge_time_; }
  QComboBox* ErrorBitList() const { return error_bit_; }
  QComboBox* UnlockWaitList(int i) const { return unlock_wait_[i]; }
  QComboBox* FixCountList(int i) const { return fix_count_[i]; }
  QPushButton* SetButton() const { return set_; }
  QPushButton* ClearButton() const { return clear_; }
  QPushButton* ReadButton() const { return read_; }
  QPushButton* WriteButton() const { return write_; }

  QString PageName() const override;
  // A value changed since the page last showed or stored the record. (Fields hold values to
  // their ranges, so a record from a receiver may show otherwise than it is stored.)
  bool HasPendingChanges() const override;
  bool SetPendingChanges() override;
  void DiscardPendingChanges() override;

  // Every field of the page, for colouring.
  QList<QWidget*> Fields() const;

 public slots:
  // Shows the record's values; a text field whose text changes turns red.
  void Reload();
  // Takes the red mark off every field (the end of start-up, and Set).
  void ResetColors();

 signals:
  void ReadRequested();
  void WriteRequested();

 private:
  QWidget* BuildSqlGroup();
  QWidget* BuildSMeterGroup();
  QWidget* BuildChargeGroup();
  QWidget* BuildPwmGroup();
  QWidget* BuildDcsGroup();
  QWidget* BuildTsqGroup();
  QWidget* BuildUnlockGroup();
  QWidget* BuildTrainGroup();
  QLineEdit* MakeLevelField();
  QLineEdit* MakeFrequencyField(const QString& text);
  QComboBox* MakeList(int first, int last);
  void StoreAll();
  // The values as the fields show them, on top of the record's.
  FactorySettings Shown() const;

  Document& document_;
  std::array<QLineEdit*, 6> sql_{};
  std::array<QLineEdit*, 6> smeter_{};
  std::array<QLineEdit*, 4> frequency_am_{};
  std::array<QLineEdit*, 4> frequency_sw_{};
  std::array<QComboBox*, 4> pwm_am_{};
  std::array<QComboBox*, 4> pwm_sw_{};
  QComboBox* charge_time_ = nullptr;
  QComboBox* error_bit_ = nullptr;
  std::array<QComboBox*, 3> unlock_wait_{};
  std::array<QComboBox*, 8> fix_count_{};
  QLineEdit* train_time_ = nullptr;
  QPushButton* set_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* read_ = nullptr;
  QPushButton* write_ = nullptr;
  FactorySettings stored_{};  // the record's values the page last showed
  FactorySettings loaded_{};  // Shown() right after that
};

}  // namespace kestrel::ui
