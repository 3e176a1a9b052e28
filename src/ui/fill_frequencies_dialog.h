// Edit > "Fill Frequencies...": a start frequency (MHz), a step (kHz) and a mode for the
// selected channels of the Memory grid. Like the grid's other prompts it does not wait: OK
// hands the values to `answered`, and the dialog closes only when `answered` takes them.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QComboBox;
class QLineEdit;

namespace kestrel::ui {

class FillFrequenciesDialog : public QDialog {
  Q_OBJECT

 public:
  struct Values {
    QString start_mhz;
    QString step_khz;
    int mode = 1;  // a position of the channel mode table
  };

  FillFrequenciesDialog(QWidget* parent, const QString& start_mhz,
                        std::function<bool(const Values&)> answered);

  QLineEdit* StartField() const { return start_; }
  QLineEdit* StepField() const { return step_; }
  QComboBox* ModeList() const { return mode_; }

  void accept() override;

 private:
  QLineEdit* start_;
  QLineEdit* step_;
  QComboBox* mode_;
  bool mode_chosen_ = false;  // until the user picks one, the mode follows the start's band
  std::function<bool(const Values&)> answered_;
};

}  // namespace kestrel::ui
