#include "ui/memory_grid_model.h"

#include <array>

#include "model/cp1252.h"
#include "model/display_texts.h"
#include "ui/document.h"

namespace kestrel::ui {

namespace {

constexpr std::array<int, MemoryGridModel::kColumnCount> kWidthsTwips{
    700, 3, 1400, 900, 900, 1600, 900, 900, 900, 900, 900, 900};

QString Heading(int column) {
  switch (column) {
    case MemoryGridModel::kNumberColumn:
      return MemoryGridModel::tr("No.");
    case MemoryGridModel::kFrequencyColumn:
      return MemoryGridModel::tr("Frequency");
    case MemoryGridModel::kNameColumn:
      return MemoryGridModel::tr("NAME");
    case MemoryGridModel::kModeColumn:
      return MemoryGridModel::tr("Mode");
    case MemoryGridModel::kToneSelectColumn:
      return MemoryGridModel::tr("TONE SELECT");
    case MemoryGridModel::kTsqColumn:
      return MemoryGridModel::tr("TSQ");
    case MemoryGridModel::kRevTsqColumn:
      return MemoryGridModel::tr("REV TSQ");
    case MemoryGridModel::kDcsColumn:
      return MemoryGridModel::tr("DCS");
    case MemoryGridModel::kRevDcsColumn:
      return MemoryGridModel::tr("REV DCS");
    case MemoryGridModel::kScramblerColumn:
      return MemoryGridModel::tr("SCALR");
    case MemoryGridModel::kTrainColumn:
      return MemoryGridModel::tr("TRAIN");
    default:
      return {};
  }
}

}  // namespace

MemoryGridModel::MemoryGridModel(Document& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {}

QString MemoryGridModel::ChannelNumberText(int channel) {
  return QString::fromStdString(kestrel::ChannelNumberText(channel));
}

QString MemoryGridModel::CellText(const RadioConfig& record, int channel, int column) {
  if (column == kSpacerColumn || column < 0 || column >= kColumnCount) return {};
  // The grid's columns are the channel's row texts with the spacer after the number.
  const auto text_column = static_cast<ChannelColumn>(column == kNumberColumn ? 0 : column - 1);
  const std::string text = ChannelText(record.Channel(channel), channel, text_column);
  if (text_column == ChannelColumn::kName) return QString::fromStdString(Cp1252ToUtf8(text));
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
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
  switch (role) {
    case Qt::DisplayRole:
      return CellText(document_.Record(), ChannelOfRow(index.row()), index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
      return {};
  }
}

QVariant MemoryGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return ChannelNumberText(ChannelOfRow(section));
  return Heading(section);
}

Qt::ItemFlags MemoryGridModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace kestrel::ui
