// "Edit Memory": edits one memory channel. Every field whose shown value differs from the stored
// channel is drawn red; "Set" checks the channel, derives its tuning step from frequency and
// mode and stores it, or beeps; "Clear" marks the channel empty and shows it empty. Enter on the
// focused "Set" or "Clear" presses it.
// Opened with open(): window-modal, without a nested event loop; it deletes itself on closing.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <map>
#include <vector>

#include "model/channel_rules.h"
#include "model/radio_config.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrel::ui {

class Document;

class ChannelEditorDialog : public QDialog {
  Q_OBJECT

 public:
  ChannelEditorDialog(Document& document, int channel, QWidget* parent = nullptr);

  int Channel() const { return channel_; }

  // The buttons' actions, as their clicks run them.
  void Set();
  void Clear();

 signals:
  // The record's channel `channel` changed: stored by "Set" or emptied by "Clear".
  void ChannelChanged(int channel);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // A value list and the channel field its position is compared with.
  struct ValueList {
    QComboBox* list;
    std::int16_t MemoryChannel::*field;
  };

  void BuildControls();
  void FillEditorLists();
  void LoadChannelFields();
  void ApplyToneSelection(int tone_select, bool from_stored_channel);
  void ResetFieldColors();
  void EnableChannelButtons(bool enabled);
  void Mark(QWidget* field);

  void CheckFrequency();
  void CheckName();
  void CheckList(QComboBox* list, bool losing_focus);
  void CheckToneSelect(bool losing_focus);

  // The channel as the fields show it, and the name of a change made to it.
  ChannelEntry Entry() const;
  QString ChangeName() const;

  const MemoryChannel& Stored() const;
  const ValueList* FindValueList(const QComboBox* list) const;

  Document& document_;
  const int channel_;
  // What the grid showed for the channel when the editor opened; "Clear" shows them again.
  QString number_text_;
  std::map<ChannelField, QString> captions_;  // of the fields, as refusals name them
  QString frequency_text_;
  QString name_text_;
  // The channel the fields are compared with: the stored one, or an empty one after "Clear".
  MemoryChannel shown_;
  int last_tone_select_ = -1;

  QLabel* number_ = nullptr;
  QLineEdit* frequency_ = nullptr;
  QLineEdit* name_ = nullptr;
  QComboBox* mode_ = nullptr;
  QComboBox* tone_select_ = nullptr;
  QComboBox* tsq_ = nullptr;
  QComboBox* rev_tsq_ = nullptr;
  QComboBox* dcs_ = nullptr;
  QComboBox* rev_dcs_ = nullptr;
  QComboBox* scrambler_ = nullptr;
  QComboBox* train_ = nullptr;
  QPushButton* set_ = nullptr;
  QPushButton* clear_ = nullptr;
  std::vector<ValueList> value_lists_;  // every list but tone select and R DCS
};

}  // namespace kestrel::ui
