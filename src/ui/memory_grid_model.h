// The 1000 memory channels as a table: row r shows channel r + 1, the columns are those of the
// Memory page. Cells are computed from the document's live record whenever they are asked for;
// the model holds no copy of it.
// Cells are edited in place through the channel rules, as the editor's "Set" stores a channel:
// an edit the rules refuse is not stored, and Refused says why. An empty channel needs both a
// frequency and a mode before it can be stored; until it has them it is a draft, kept here and
// drawn red, never in the record, so nothing half-entered reaches a file or the receiver.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "model/channel_rules.h"
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
    kStepColumn,  // the stored tuning step; only steps the channel's frequency lies on
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

  // Whether `column` is edited with a list of its value table's entries (Mode, TONE SELECT and
  // the tone values), and those entries in position order.
  static bool IsListColumn(int column);
  static QStringList ListEntries(int column);
  // The positions a list cell of channel `channel` offers: every entry, or for Step the steps
  // the rules accept for the channel's frequency and mode.
  std::vector<int> ListChoices(int channel, int column) const;

  // The position of `text` among list column `column`'s entries: the blanks around it and its
  // case aside, a number by its value ("67" is " 67.0"); -1 when it is none of them.
  static int ListPosition(int column, const QString& text);

  // A cell's new value, as typed or pasted: text, or for a list column its position (int) or
  // its entry's text.
  struct Cell {
    int column = kFrequencyColumn;
    QVariant value;
  };
  struct RowCells {
    int channel = 1;
    std::vector<Cell> cells;
  };
  // Stores the cells as one step of the history named `what`. Each row's cells are checked
  // together as typing them one after another would be (a tone selection sets its defaults, a
  // frequency gives an empty channel its band's mode); a tone value goes only where the row's
  // tone selection keeps it, and an empty channel takes cells only with a Frequency. A refused
  // cell is left as it was and the others of its row are tried again without it. Returns the
  // refusals one a line, "Channel 005, TSQ: ...", with the grid's captions.
  QStringList StoreCells(const QString& what, const std::vector<RowCells>& rows);

  // The first Frequency or NAME cell after `from` (before it, for a `direction` below 0) whose
  // text as the grid shows it holds `text`, ignoring case; the search wraps around the grid and
  // ends at `from` itself. An invalid index when no cell holds it.
  QModelIndex Find(const QString& text, const QModelIndex& from, int direction) const;

  // Drafts: empty channels the user began to fill, by channel number.
  bool HasDrafts() const { return !drafts_.empty(); }
  // The first draft among channels `first` to `last`; 0 when there is none.
  int FirstDraftIn(int first, int last) const;
  // Stores every draft, or none when one is refused (Refused says why); returns whether it
  // stored them.
  bool StoreDrafts();
  void DropDrafts(int first, int last);

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
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 signals:
  // An edit the rules refused, and why: "Channel 004 is not stored. Frequency: ...".
  void Refused(const QString& why);
  // A hint that needs no beep: what a draft still lacks; "" when an edit was stored.
  void Hint(const QString& text);

 private:
  // The channel as the user has it: its draft, or the stored channel as the editor opens it.
  ChannelEntry EntryFor(int channel) const;
  // Puts one cell's value into `entry` as typing it would; why not, when it cannot go there.
  std::optional<QString> PutCell(ChannelEntry& entry, const Cell& cell) const;
  QString DraftText(const ChannelEntry& draft, int channel, int column) const;
  void ShowAllRows();

  Document& document_;
  std::map<int, ChannelEntry> drafts_;
};

}  // namespace kestrel::ui
