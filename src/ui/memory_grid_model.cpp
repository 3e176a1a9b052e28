#include "ui/memory_grid_model.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>
#include <vector>

#include "model/channel.h"
#include "model/cp1252.h"
#include "model/display_texts.h"
#include "model/frequency_text.h"
#include "ui/change_colors.h"
#include "ui/document.h"
#include "ui/finding_text.h"
#include "ui/value_lists.h"

namespace kestrel::ui {

namespace {

constexpr std::array<int, MemoryGridModel::kColumnCount> kWidthsTwips{
    700, 3, 1400, 900, 900, 1600, 900, 900, 900, 900, 900, 900, 900};

// The heading of each column but the spacer: the caption of the row text it shows.
QString Heading(int column) {
  if (column == MemoryGridModel::kSpacerColumn || column < 0 ||
      column >= MemoryGridModel::kColumnCount) {
    return {};
  }
  if (column == MemoryGridModel::kStepColumn) return MemoryGridModel::tr("STEP");
  const std::string_view caption = ChannelColumnCaption(
      static_cast<ChannelColumn>(column == MemoryGridModel::kNumberColumn ? 0 : column - 1));
  return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

// The field of a channel entry a list column edits, and the table its positions are in.
std::int16_t* FieldOf(ChannelEntry& entry, int column) {
  switch (column) {
    case MemoryGridModel::kModeColumn:
      return &entry.Mode;
    case MemoryGridModel::kToneSelectColumn:
      return &entry.ToneSelect;
    case MemoryGridModel::kTsqColumn:
      return &entry.TsqTone;
    case MemoryGridModel::kRevTsqColumn:
      return &entry.RevTsqTone;
    case MemoryGridModel::kDcsColumn:
      return &entry.DcsCode;
    case MemoryGridModel::kRevDcsColumn:
      return &entry.RevDcs;
    case MemoryGridModel::kScramblerColumn:
      return &entry.Scrambler;
    case MemoryGridModel::kTrainColumn:
      return &entry.TrainTone;
    default:
      return nullptr;
  }
}

ValueTable TableOfColumn(int column) {
  switch (column) {
    case MemoryGridModel::kModeColumn:
      return kChannelModeTable;
    case MemoryGridModel::kToneSelectColumn:
      return kToneSelectTable;
    case MemoryGridModel::kTsqColumn:
    case MemoryGridModel::kRevTsqColumn:
      return kChannelToneTable;
    case MemoryGridModel::kDcsColumn:
      return kChannelDcsTable;
    case MemoryGridModel::kRevDcsColumn:
      return kChannelDcsPolarityTable;
    case MemoryGridModel::kScramblerColumn:
      return kChannelScramblerTable;
    case MemoryGridModel::kTrainColumn:
      return kChannelTrainToneTable;
    case MemoryGridModel::kStepColumn:
      return kStepTable;
    default:
      return {};
  }
}

// A newly chosen tone selection starts at its defaults, as in the channel editor. DCS keeps the
// channel's polarity, or takes NORMAL when it has none: a grid cell holds one value, so the
// polarity cannot be chosen in the same step.
void ChooseToneSelect(ChannelEntry& entry, std::int16_t position) {
  if (position == entry.ToneSelect) return;
  entry.ToneSelect = position;
  const std::optional<ToneSelect> chosen = ToneSelectAt(position);
  if (!chosen) return;
  for (const ChannelField field : ToneFieldsFor(*chosen)) {
    std::int16_t& value = ToneValue(entry, field);
    if (field != ChannelField::kRevDcs || !InTable(kChannelDcsPolarityTable, value)) {
      value = StartingToneValue(field);
    }
  }
}

QString ChannelCellText(const MemoryChannel& values, int channel, int column) {
  if (column == MemoryGridModel::kSpacerColumn || column < 0 ||
      column >= MemoryGridModel::kColumnCount) {
    return {};
  }
  if (column == MemoryGridModel::kStepColumn) {
    if (!values.IsProgrammed() || !InTable(kStepTable, values.Step)) return {};
    const std::string_view step = kStepTable[static_cast<std::size_t>(values.Step)];
    return QString::fromLatin1(step.data(), static_cast<qsizetype>(step.size()));
  }
  // The grid's columns are the channel's row texts with the spacer after the number.
  const auto text_column =
      static_cast<ChannelColumn>(column == MemoryGridModel::kNumberColumn ? 0 : column - 1);
  const std::string text = ChannelText(values, channel, text_column);
  if (text_column == ChannelColumn::kName) return QString::fromStdString(Cp1252ToUtf8(text));
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The grid column that shows `field`.
int ColumnOf(ChannelField field) {
  switch (field) {
    case ChannelField::kFrequency:
      return MemoryGridModel::kFrequencyColumn;
    case ChannelField::kName:
      return MemoryGridModel::kNameColumn;
    case ChannelField::kMode:
      return MemoryGridModel::kModeColumn;
    case ChannelField::kToneSelect:
      return MemoryGridModel::kToneSelectColumn;
    case ChannelField::kTsqTone:
      return MemoryGridModel::kTsqColumn;
    case ChannelField::kRevTsqTone:
      return MemoryGridModel::kRevTsqColumn;
    case ChannelField::kDcsCode:
      return MemoryGridModel::kDcsColumn;
    case ChannelField::kRevDcs:
      return MemoryGridModel::kRevDcsColumn;
    case ChannelField::kScrambler:
      return MemoryGridModel::kScramblerColumn;
    case ChannelField::kTrainTone:
      return MemoryGridModel::kTrainColumn;
    case ChannelField::kStep:
      return MemoryGridModel::kStepColumn;
    case ChannelField::kInUse:
      break;
  }
  return -1;
}

// Whether a channel with tone selection `tone_select` keeps the value of tone `column`.
bool UsesColumn(int tone_select, int column) {
  const std::optional<ToneSelect> chosen = ToneSelectAt(tone_select);
  if (!chosen) return false;
  for (const ChannelField field : ToneFieldsFor(*chosen)) {
    if (ColumnOf(field) == column) return true;
  }
  return false;
}

QString DraftNote(int channel) {
  return MemoryGridModel::tr("Channel %1 is not stored yet: it needs a frequency and a mode.")
      .arg(MemoryGridModel::ChannelNumberText(channel));
}

// The refusal names the field as the grid does: by its column's caption ("TSQ", not "TsqTone").
QString NotStored(int channel, const ChannelRefusal& refusal) {
  Finding shown = refusal.finding;
  if (const int column = ColumnOf(refusal.field); column >= 0) {
    shown.field = Heading(column).toStdString();
  }
  return MemoryGridModel::tr("Channel %1 is not stored. %2")
      .arg(MemoryGridModel::ChannelNumberText(channel), FindingLine(shown));
}

}  // namespace

MemoryGridModel::MemoryGridModel(Document& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
  connect(&document_, &Document::Changed, this, &MemoryGridModel::ShowAllRows);
}

bool MemoryGridModel::IsListColumn(int column) {
  return !TableOfColumn(column).empty();
}

QStringList MemoryGridModel::ListEntries(int column) {
  return Entries(TableOfColumn(column));
}

ChannelEntry MemoryGridModel::EntryFor(int channel) const {
  if (const auto draft = drafts_.find(channel); draft != drafts_.end()) return draft->second;
  const MemoryChannel& stored = document_.Record().Channel(channel);
  return stored.IsProgrammed() ? EntryOf(stored) : ChannelEntry{};
}

QString MemoryGridModel::DraftText(const ChannelEntry& draft, int channel, int column) const {
  if (column == kStepColumn) return {};  // a draft has no step until it is stored
  if (column == kFrequencyColumn) return QString::fromStdString(draft.Frequency);
  if (column == kNameColumn) return QString::fromStdString(draft.Name);
  // The coded columns read as a stored channel's would, with only its tone selection's values.
  const auto value = [&draft](int list, std::int16_t position) {
    return UsesColumn(draft.ToneSelect, list) ? position : std::int16_t{0};
  };
  MemoryChannel values;
  values.InUse = 1;
  values.Mode = draft.Mode;
  values.ToneSelect = draft.ToneSelect;
  values.TsqTone = value(kTsqColumn, draft.TsqTone);
  values.RevTsqTone = value(kRevTsqColumn, draft.RevTsqTone);
  values.DcsCode = value(kDcsColumn, draft.DcsCode);
  values.RevDcs = draft.RevDcs;
  values.Scrambler = value(kScramblerColumn, draft.Scrambler);
  values.TrainTone = value(kTrainColumn, draft.TrainTone);
  return ChannelCellText(values, channel, column);
}

QModelIndex MemoryGridModel::Find(const QString& text, const QModelIndex& from,
                                  int direction) const {
  // The searched cells in reading order: the Frequency and the NAME of each row, position
  // 2 * row and 2 * row + 1. A cell right of NAME counts as after it, one left of Frequency
  // as before it.
  constexpr int kSearched = 2 * kChannelCount;
  const int step = direction < 0 ? -1 : 1;
  int start = 0;
  if (from.isValid()) {
    const int column = from.column();
    start = 2 * from.row() + (column >= kNameColumn ? 1 : 0);
    if (step < 0 && column > kNameColumn) start += 1;
    if (step > 0 && column < kFrequencyColumn) start -= 1;
  } else if (step < 0) {
    start = kSearched;
  } else {
    start = -1;
  }
  for (int i = 1; i <= kSearched; ++i) {
    const int at = ((start + step * i) % kSearched + kSearched) % kSearched;
    const QModelIndex cell = index(at / 2, at % 2 == 0 ? kFrequencyColumn : kNameColumn);
    if (data(cell, Qt::DisplayRole).toString().contains(text, Qt::CaseInsensitive)) return cell;
  }
  return {};
}

std::vector<int> MemoryGridModel::ListChoices(int channel, int column) const {
  if (column == kStepColumn) {
    const MemoryChannel& stored = document_.Record().Channel(channel);
    return AcceptedSteps(EntryHz(EntryOf(stored).Frequency), stored.Mode);
  }
  std::vector<int> positions(static_cast<std::size_t>(ListEntries(column).size()));
  std::iota(positions.begin(), positions.end(), 0);
  return positions;
}

int MemoryGridModel::ListPosition(int column, const QString& text) {
  const QString wanted = text.trimmed();
  const QStringList entries = ListEntries(column);
  for (qsizetype i = 0; i < entries.size(); ++i) {
    if (entries[i].trimmed().compare(wanted, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  }
  bool number = false;
  const double value = wanted.toDouble(&number);
  for (qsizetype i = 0; number && i < entries.size(); ++i) {
    bool entry_number = false;
    if (entries[i].trimmed().toDouble(&entry_number) == value && entry_number) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::optional<QString> MemoryGridModel::PutCell(ChannelEntry& entry, const Cell& cell) const {
  const int column = cell.column;
  if (column == kFrequencyColumn) {
    // Not limited to the range as typing is: a pasted frequency outside it is refused, not
    // moved to the range's end.
    entry.Frequency = cell.value.toString().trimmed().toStdString();
    return std::nullopt;
  }
  if (column == kNameColumn) {
    entry.Name = cell.value.toString().toStdString();
    return std::nullopt;
  }
  if (column == kStepColumn) return std::nullopt;  // StoreCells chooses it after the rest
  std::int16_t* field = FieldOf(entry, column);
  if (!field) return tr("this column cannot be changed");
  int position = cell.value.toInt();
  if (cell.value.typeId() == QMetaType::QString) {
    position = ListPosition(column, cell.value.toString());
    if (position < 0) {
      return tr("\"%1\" is not one of its entries").arg(cell.value.toString().trimmed());
    }
  }
  if (column == kToneSelectColumn) {
    ChooseToneSelect(entry, static_cast<std::int16_t>(position));
    return std::nullopt;
  }
  if (column != kModeColumn && !UsesColumn(entry.ToneSelect, column)) {
    return tr("TONE SELECT %1 keeps no %2 value")
        .arg(ListEntries(kToneSelectColumn).value(entry.ToneSelect), Heading(column));
  }
  *field = static_cast<std::int16_t>(position);
  return std::nullopt;
}

QStringList MemoryGridModel::StoreCells(const QString& what, const std::vector<RowCells>& rows) {
  QStringList refusals;
  std::vector<std::pair<int, MemoryChannel>> checked;
  for (const RowCells& row : rows) {
    const int channel = row.channel;
    const MemoryChannel& stored = document_.Record().Channel(channel);
    const auto where = [channel](int column) {
      return tr("Channel %1, %2: ").arg(ChannelNumberText(channel), Heading(column));
    };
    const bool empty = !stored.IsProgrammed();
    if (empty && std::ranges::none_of(
                     row.cells, [](const Cell& cell) { return cell.column == kFrequencyColumn; })) {
      for (const Cell& cell : row.cells) {
        refusals << where(cell.column) + tr("the channel is empty: it takes a Frequency first");
      }
      continue;
    }
    const ChannelEntry before = EntryFor(channel);
    std::set<int> refused;
    std::optional<MemoryChannel> result;
    // Each pass leaves out the cells refused so far; a row has few cells, so few passes.
    for (;;) {
      ChannelEntry entry = before;
      for (const Cell& cell : row.cells) {
        if (refused.contains(cell.column)) continue;
        if (const std::optional<QString> why = PutCell(entry, cell)) {
          refused.insert(cell.column);
          refusals << where(cell.column) + *why;
        }
      }
      if (empty && refused.contains(kFrequencyColumn)) {
        for (const Cell& cell : row.cells) {
          if (refused.contains(cell.column)) continue;
          refusals << where(cell.column) + tr("the channel is empty: it takes a Frequency first");
        }
        break;
      }
      if (empty && entry.Mode == 0 && !entry.Frequency.empty()) {
        entry.Mode = BandMode(EntryHz(entry.Frequency));
      }
      if (entry == before) break;
      auto channel_checked = ValidateChannel(entry, stored);
      if (channel_checked) {
        result = std::move(*channel_checked);
        break;
      }
      const int column = ColumnOf(channel_checked.error().field);
      const bool given = std::ranges::any_of(
          row.cells, [column](const Cell& cell) { return cell.column == column; });
      if (!given || refused.contains(column)) {
        refusals << NotStored(channel, channel_checked.error());
        break;
      }
      refused.insert(column);
      refusals << where(column) + QString::fromStdString(channel_checked.error().finding.message);
    }
    // A chosen step goes last: it depends on the frequency and the mode the row ends with.
    const auto step = std::ranges::find(row.cells, int{kStepColumn}, &Cell::column);
    if (step != row.cells.end() && !empty) {
      const int position = step->value.typeId() == QMetaType::QString
                               ? ListPosition(kStepColumn, step->value.toString())
                               : step->value.toInt();
      auto stepped = WithStep(result.value_or(stored), position);
      if (position < 0) {
        refusals << where(kStepColumn) + tr("\"%1\" is not one of its entries")
                                             .arg(step->value.toString().trimmed());
      } else if (stepped) {
        result = std::move(*stepped);
      } else {
        refusals << where(kStepColumn) + QString::fromStdString(stepped.error().finding.message);
      }
    }
    if (result && *result != stored) checked.emplace_back(channel, std::move(*result));
  }
  if (checked.empty()) return refusals;
  for (const auto& [channel, stored] : checked) drafts_.erase(channel);
  emit Hint(QString());
  if (!document_.Edit(what, [&checked](RadioConfig& record) {
        for (const auto& [channel, stored] : checked) record.Channel(channel) = stored;
      })) {
    ShowAllRows();
  }
  return refusals;
}

int MemoryGridModel::FirstDraftIn(int first, int last) const {
  const auto from = drafts_.lower_bound(first);
  return from != drafts_.end() && from->first <= last ? from->first : 0;
}

bool MemoryGridModel::StoreDrafts() {
  std::vector<std::pair<int, MemoryChannel>> checked;
  for (const auto& [channel, draft] : drafts_) {
    auto stored = ValidateChannel(draft, document_.Record().Channel(channel));
    if (!stored) {
      emit Refused(NotStored(channel, stored.error()));
      return false;
    }
    checked.emplace_back(channel, std::move(*stored));
  }
  if (checked.empty()) return true;
  drafts_.clear();
  const QString what = tr("channel %1").arg(ChannelNumberText(checked.front().first));
  if (!document_.Edit(what, [&checked](RadioConfig& record) {
        for (const auto& [channel, stored] : checked) record.Channel(channel) = stored;
      })) {
    ShowAllRows();
  }
  return true;
}

void MemoryGridModel::DropDrafts(int first, int last) {
  if (FirstDraftIn(first, last) == 0) return;
  drafts_.erase(drafts_.lower_bound(first), drafts_.upper_bound(last));
  ShowAllRows();
}

void MemoryGridModel::ShowAllRows() {
  emit dataChanged(index(0, 0), index(kChannelCount - 1, kColumnCount - 1));
  emit headerDataChanged(Qt::Vertical, 0, kChannelCount - 1);
}

QString MemoryGridModel::ChannelNumberText(int channel) {
  return QString::fromStdString(kestrel::ChannelNumberText(channel));
}

QString MemoryGridModel::CellText(const RadioConfig& record, int channel, int column) {
  return ChannelCellText(record.Channel(channel), channel, column);
}

int MemoryGridModel::ColumnWidthTwips(int column) {
  return column >= 0 && column < kColumnCount ? kWidthsTwips[static_cast<std::size_t>(column)] : 0;
}

void MemoryGridModel::ShowChannelRow(int channel) {
  ShowChannelRows(channel, channel);
}

void MemoryGridModel::ShowChannelRows(int first, int last) {
  emit dataChanged(index(RowOfChannel(first), 0), index(RowOfChannel(last), kColumnCount - 1),
                   {Qt::DisplayRole});
  emit headerDataChanged(Qt::Vertical, RowOfChannel(first), RowOfChannel(last));
}

void MemoryGridModel::Reload() {
  beginResetModel();
  endResetModel();
}

int MemoryGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kChannelCount;
}

int MemoryGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant MemoryGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int channel = ChannelOfRow(index.row());
  const auto draft = drafts_.find(channel);
  switch (role) {
    case Qt::DisplayRole:
      if (draft != drafts_.end() && index.column() != kNumberColumn) {
        return DraftText(draft->second, channel, index.column());
      }
      return CellText(document_.Record(), channel, index.column());
    case Qt::EditRole: {
      if (index.column() == kStepColumn) return int{document_.Record().Channel(channel).Step};
      ChannelEntry entry = EntryFor(channel);
      if (std::int16_t* field = FieldOf(entry, index.column())) return int{*field};
      return data(index, Qt::DisplayRole);
    }
    case Qt::ForegroundRole:
      if (draft != drafts_.end()) return kChangedColor;
      return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
      if (draft != drafts_.end()) return DraftNote(channel);
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
      return {};
  }
}

QVariant MemoryGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  const bool draft = orientation == Qt::Vertical && drafts_.contains(ChannelOfRow(section));
  // Red alone is not enough to tell a draft: its number carries a marker and a note.
  if ((role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) && draft) {
    return DraftNote(ChannelOfRow(section));
  }
  if (role == Qt::ForegroundRole && draft) return kChangedColor;
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) {
    return ChannelNumberText(ChannelOfRow(section)) + (draft ? QStringLiteral(" *") : QString());
  }
  return Heading(section);
}

Qt::ItemFlags MemoryGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  const int column = index.column();
  switch (column) {
    case kFrequencyColumn:
    case kNameColumn:
    case kModeColumn:
    case kToneSelectColumn:
      return shown | Qt::ItemIsEditable;
    case kStepColumn:
      return document_.Record().Channel(ChannelOfRow(index.row())).IsProgrammed() &&
                     !drafts_.contains(ChannelOfRow(index.row()))
                 ? shown | Qt::ItemIsEditable
                 : shown;
    default: {
      // A tone value is edited only where the channel's tone selection keeps it.
      const int channel = ChannelOfRow(index.row());
      const auto draft = drafts_.find(channel);
      const MemoryChannel& stored = document_.Record().Channel(channel);
      const int tone_select = draft != drafts_.end()  ? draft->second.ToneSelect
                              : stored.IsProgrammed() ? stored.ToneSelect
                                                      : 0;
      return UsesColumn(tone_select, column) ? shown | Qt::ItemIsEditable : shown;
    }
  }
}

bool MemoryGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !flags(index).testFlag(Qt::ItemIsEditable)) return false;
  const int channel = ChannelOfRow(index.row());
  const int column = index.column();
  if (column == kStepColumn) {
    const MemoryChannel& stored = document_.Record().Channel(channel);
    auto stepped = WithStep(stored, value.toInt());
    if (!stepped) {
      emit Refused(NotStored(channel, stepped.error()));
      return false;
    }
    emit Hint(QString());
    document_.Edit(tr("channel %1 %2").arg(ChannelNumberText(channel), Heading(column)),
                   [&](RadioConfig& record) { record.Channel(channel) = *stepped; });
    return true;
  }
  const ChannelEntry before = EntryFor(channel);
  ChannelEntry entry = before;
  if (column == kFrequencyColumn) {
    entry.Frequency = ClampMhzText(value.toString().trimmed().toStdString());
    // An empty channel's frequency says which mode it most likely has: it is stored at once.
    if (!document_.Record().Channel(channel).IsProgrammed() && entry.Mode == 0 &&
        !entry.Frequency.empty()) {
      entry.Mode = BandMode(EntryHz(entry.Frequency));
    }
  } else if (column == kNameColumn) {
    entry.Name = value.toString().toStdString();
  } else if (column == kToneSelectColumn) {
    ChooseToneSelect(entry, static_cast<std::int16_t>(value.toInt()));
  } else if (std::int16_t* field = FieldOf(entry, column)) {
    *field = static_cast<std::int16_t>(value.toInt());
  }
  if (entry == before) return true;

  const MemoryChannel& stored = document_.Record().Channel(channel);
  auto checked = ValidateChannel(entry, stored);
  if (checked) {
    drafts_.erase(channel);
    emit Hint(QString());  // what an earlier edit of the grid said is past
    const QString what = tr("channel %1 %2").arg(ChannelNumberText(channel), Heading(column));
    if (!document_.Edit(what, [&](RadioConfig& record) { record.Channel(channel) = *checked; })) {
      ShowChannelRow(channel);
    }
    return true;
  }
  // Until an empty channel has both a frequency and a mode it waits here, not in the record.
  if (!stored.IsProgrammed() && (entry.Frequency.empty() || entry.Mode == 0)) {
    if (entry == ChannelEntry{}) {
      drafts_.erase(channel);
    } else {
      drafts_[channel] = entry;
      emit Hint(tr("Channel %1 is stored once it has a frequency and a mode.")
                    .arg(ChannelNumberText(channel)));
    }
    ShowChannelRow(channel);
    return true;
  }
  emit Refused(NotStored(channel, checked.error()));
  return false;
}

}  // namespace kestrel::ui
