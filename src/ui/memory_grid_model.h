// The 1000 memory channels as a read-only table: row r shows channel r + 1, the columns are those
// of the Memory page. Cells are computed from the document's live record whenever they are
// asked for; the model holds no copy of it.
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include "model/radio_config.h"

namespace kestrel::ui {

class Document;

class MemoryGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column {
    kNumberColumn,     // "No.": channel number - 1 in three digits
    kSpacerColumn,     // always empty; separates the number from the frequency
    kFrequencyColumn,  // MHz with five decimals
    kNameColumn,
    kModeColumn,
    kToneSelectColumn,
    kTsqColumn,
    kRevTsqColumn,
    kDcsColumn,
    kRevDcsColumn,  // only for tone select "DCS"
    kScramblerColumn,
    kTrainColumn,
    kColumnCount
  };

  explicit MemoryGridModel(Document& document, QObject* parent = nullptr);

  // The text the grid shows for `column` of channel `channel` (1 to 1000): only the number for
  // an empty channel, blank for a position outside its table.
  static QString CellText(const RadioConfig& record, int channel, int column);
  static QString ChannelNumberText(int channel);  // "000" for channel 1 to "999" for 1000

  // Column width as the page was drawn, in twips (1/1440 inch).
  static int ColumnWidthTwips(int column);

  static int RowOfChannel(int channel) { return channel - 1; }
  static int ChannelOfRow(int row) { return row + 1; }

  // Redraws channel `channel` / channels first to last after they changed in the record.
  void ShowChannelRow(int channel);
  void ShowChannelRows(int first, int last);
  // Redraws everything after the whole record was replaced.
  void Reload();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  Document& document_;
};

}  // namespace kestrel::ui
