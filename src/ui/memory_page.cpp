#include "ui/memory_page.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <numeric>
#include <set>
#include <vector>

#include "files/channel_csv.h"
#include "files/csv_records.h"

#include "model/channel_rules.h"
#include "model/defaults.h"
#include "ui/channel_editor_dialog.h"
#include "ui/document.h"
#include "ui/feedback.h"
#include "ui/fill_frequencies_dialog.h"
#include "ui/finding_text.h"
#include "ui/grid_prompt.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_grid_view.h"
#include "ui/page_layout.h"
#include "ui/window_title.h"

namespace kestrel::ui {

namespace {

QString NumberText(int channel) {
  return MemoryGridModel::ChannelNumberText(channel);
}

// "channel 004" or "channels 004 to 007", as the Edit menu names a change.
QString ChannelsText(int first, int last) {
  return first == last
             ? MemoryPage::tr("channel %1").arg(NumberText(first))
             : MemoryPage::tr("channels %1 to %2").arg(NumberText(first), NumberText(last));
}

// What was found in the clipboard's table, one note a line, each naming the channel its row was
// meant for: the rows under the header go to channel `first` and on, in order.
QString PasteNotes(const std::vector<Finding>& notes, const ChannelTable& table, int first) {
  constexpr int kHeaderLine = 1;
  std::set<int> row_lines;
  for (const TableRow& row : table.rows) row_lines.insert(row.line);
  for (const Finding& note : table.problems) row_lines.insert(note.line.value_or(0));
  row_lines.erase(kHeaderLine);
  constexpr std::size_t kListed = 20;
  QStringList lines;
  for (std::size_t i = 0; i < std::min(notes.size(), kListed); ++i) {
    Finding note = notes[i];
    if (const auto row = row_lines.find(note.line.value_or(0)); row != row_lines.end()) {
      const auto channel = first + static_cast<int>(std::distance(row_lines.begin(), row));
      if (channel <= kChannelCount) note.channel = channel;
    }
    lines << FindingLine(note);
  }
  if (notes.size() > kListed) {
    lines << MemoryPage::tr("... and %1 more").arg(notes.size() - kListed);
  }
  return lines.join(u'\n');
}

QPushButton* Button(const QString& caption, const char* name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QLatin1String(name));
  return button;
}

}  // namespace

MemoryPage::MemoryPage(Document& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      model_(new MemoryGridModel(document, this)),
      grid_(new MemoryGridView) {
  grid_->setObjectName(QStringLiteral("flxGrdMemory"));
  NameAfter(grid_, {tr("Memory")});
  grid_->SetGridModel(model_);
  connect(grid_, &MemoryGridView::ChannelActivated, this, &MemoryPage::OpenChannelEditor);
  connect(grid_, &MemoryGridView::FillRequested, this, &MemoryPage::FillSelectedChannels);
  connect(model_, &MemoryGridModel::Refused, this, &MemoryPage::Refuse);
  // After Undo or Redo the selection shows the channels that changed.
  connect(&document_, &Document::Stepped, this,
          [this](const std::vector<int>& channels) { grid_->SelectChannels(channels); });
  connect(model_, &MemoryGridModel::Hint, this,
          [this](const QString& text) { CurrentFeedback().ShowStatus(this, text); });

  cut_ = AddCommand(tr("Cu&t"), QKeySequence::Cut, [this] { CutSelectedChannels(); });
  copy_ = AddCommand(tr("&Copy"), QKeySequence::Copy, [this] { CopySelectedChannels(); });
  paste_ = AddCommand(tr("&Paste"), QKeySequence::Paste, [this] { PasteChannels(); });
  delete_ = AddCommand(tr("&Delete"), QKeySequence::Delete, [this] { ClearSelectedChannels(); });
  context_actions_ = {cut_, copy_, paste_, delete_, nullptr};
  // Ctrl+Insert copies on some desktops; with Shift it is free.
  context_actions_ << AddCommand(tr("&Insert empty channel"),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert),
                                 [this] { InsertEmptyChannels(); })
                   << AddCommand(tr("D&elete and Shift Up"),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
                                 [this] { RemoveSelectedChannels(); })
                   << nullptr
                   << AddCommand(tr("Move &up"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up),
                                 [this] { MoveSelectedChannels(-1); })
                   << AddCommand(tr("Move do&wn"),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down),
                                 [this] { MoveSelectedChannels(1); })
                   << nullptr
                   << AddCommand(tr("Sort selection by &frequency"),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
                                 [this] { SortSelectedChannels(ChannelOrder::kFrequency); })
                   << AddCommand(tr("Sort selection by &name"),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
                                 [this] { SortSelectedChannels(ChannelOrder::kName); });
  find_actions_ << AddCommand(tr("&Go to Channel..."), QKeySequence(Qt::CTRL | Qt::Key_G),
                              [this] { AskGoToChannel(); })
                << AddCommand(tr("&Find..."), QKeySequence::Find, [this] { AskFind(); })
                << AddCommand(tr("Find &Next"), QKeySequence(Qt::Key_F3), [this] { FindNext(1); })
                << AddCommand(tr("Find Pre&vious"), QKeySequence(Qt::SHIFT | Qt::Key_F3),
                              [this] { FindNext(-1); })
                << AddCommand(tr("Fi&ll Frequencies..."), {}, [this] { AskFillFrequencies(); });
  programmed_only_ = new QAction(tr("Show &Programmed Channels Only"), this);
  programmed_only_->setCheckable(true);
  connect(programmed_only_, &QAction::toggled, grid_, &MemoryGridView::ShowProgrammedOnly);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid_, &QWidget::customContextMenuRequested, this, &MemoryPage::ShowContextMenu);

  auto* frame = new QGroupBox(tr("Model Kestrel"));
  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->addWidget(grid_);

  QPushButton* clear = Button(tr("Clear"), "cmdClearDflt");
  QPushButton* clear_all = Button(tr("Clear All"), "cmdClearAllDflt");
  QPushButton* read = Button(tr("Read"), "cmdRead");
  QPushButton* write = Button(tr("Write"), "cmdWrite");
  connect(clear, &QPushButton::clicked, this, &MemoryPage::ClearSelectedChannels);
  connect(clear_all, &QPushButton::clicked, this, &MemoryPage::ClearAllChannels);
  connect(read, &QPushButton::clicked, this, &MemoryPage::ReadRequested);
  connect(write, &QPushButton::clicked, this, &MemoryPage::WriteRequested);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame, 1);
  layout->addLayout(PageButtonRow({clear, clear_all, read, write}));
}

QAction* MemoryPage::AddCommand(const QString& text, const QKeySequence& keys,
                                std::function<void()> run) {
  auto* action = new QAction(text, this);
  action->setShortcut(keys);
  // The keys belong to the grid: elsewhere Delete or Ctrl+V mean what they mean there.
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(action, &QAction::triggered, this, std::move(run));
  grid_->addAction(action);
  return action;
}

QList<QAction*> MemoryPage::EditActions() const {
  return {cut_, copy_, paste_, delete_};
}

QList<QAction*> MemoryPage::ContextActions() const {
  return context_actions_;
}

QList<QAction*> MemoryPage::FindActions() const {
  return find_actions_;
}

void MemoryPage::AskGoToChannel() {
  if (!grid_->FinishCellEdit(true)) return;
  const int current = grid_->CurrentChannel();
  auto* prompt = new GridPrompt(
      this, tr("Go to Channel"), tr("&Channel (000 to 999):"),
      current == 0 ? QString() : NumberText(current), [this](const QString& typed) {
        const QString text = typed.trimmed();
        bool number = false;
        const int shown = text.toInt(&number);
        if (text.isEmpty() || text.size() > 3 || !number || !text.front().isDigit() || shown < 0 ||
            shown >= kChannelCount) {
          Refuse(tr("\"%1\" is not a channel: type a number from 000 to 999.").arg(text));
          return false;
        }
        if (grid_->isRowHidden(shown)) programmed_only_->setChecked(false);
        grid_->GoToCell(MemoryGridModel::ChannelOfRow(shown), MemoryGridModel::kFrequencyColumn);
        return true;
      });
  prompt->setObjectName(QStringLiteral("goToChannel"));
  prompt->open();
}

void MemoryPage::AskFind() {
  if (!grid_->FinishCellEdit(true)) return;
  auto* prompt =
      new GridPrompt(this, tr("Find"), tr("Find &what:"), find_text_, [this](const QString& text) {
        if (text.trimmed().isEmpty()) {
          Refuse(tr("Type a name or a frequency to find."));
          return false;
        }
        find_text_ = text.trimmed();
        FindNext(1);
        return true;
      });
  prompt->setObjectName(QStringLiteral("find"));
  prompt->open();
}

void MemoryPage::FindNext(int direction) {
  if (find_text_.isEmpty()) {
    AskFind();
    return;
  }
  if (!grid_->FinishCellEdit(true)) return;
  const QModelIndex found = model_->Find(find_text_, grid_->currentIndex(), direction);
  if (!found.isValid()) {
    Refuse(tr("\"%1\" not found").arg(find_text_));
    return;
  }
  const int channel = MemoryGridModel::ChannelOfRow(found.row());
  grid_->GoToCell(channel, found.column());
  CurrentFeedback().ShowStatus(
      this,
      tr("Found at %1, %2")
          .arg(NumberText(channel), model_->headerData(found.column(), Qt::Horizontal).toString()));
}

void MemoryPage::FillSelectedChannels(int column, const QVariant& value) {
  const std::vector<int> channels = grid_->SelectedChannels();
  if (channels.empty()) return;
  std::vector<MemoryGridModel::RowCells> rows;
  for (const int channel : channels) rows.push_back({channel, {{column, value}}});
  const QString heading = model_->headerData(column, Qt::Horizontal).toString();
  const QString where = ChannelsText(channels.front(), channels.back());
  ReportRefusals(tr("Filled %1 of %2").arg(heading, where),
                 model_->StoreCells(tr("fill %1 of %2").arg(heading, where), rows));
}

void MemoryPage::AskFillFrequencies() {
  ToChannelOrder();
  if (!grid_->FinishCellEdit(true)) return;
  const std::vector<int> channels = grid_->SelectedChannels();
  if (channels.empty()) return;
  const QString start = MemoryGridModel::CellText(document_.Record(), channels.front(),
                                                  MemoryGridModel::kFrequencyColumn);
  auto* dialog = new FillFrequenciesDialog(
      this, start == NumberText(channels.front()) ? QString() : start,
      [this, channels](const FillFrequenciesDialog::Values& values) {
        bool number = false;
        const double start_mhz = values.start_mhz.toDouble(&number);
        if (!number) {
          Refuse(tr("Type the start frequency in MHz."));
          return false;
        }
        const double step_khz = values.step_khz.toDouble(&number);
        if (!number || step_khz <= 0) {
          Refuse(tr("Type the step in kHz, above 0."));
          return false;
        }
        std::vector<MemoryGridModel::RowCells> rows;
        for (std::size_t i = 0; i < channels.size(); ++i) {
          const std::string mhz =
              SteppedFrequencyText(start_mhz * 1e6, step_khz, static_cast<int>(i));
          rows.push_back({channels[i],
                          {{MemoryGridModel::kFrequencyColumn, QString::fromStdString(mhz)},
                           {MemoryGridModel::kModeColumn, values.mode}}});
        }
        const QString where = ChannelsText(channels.front(), channels.back());
        ReportRefusals(tr("Filled the frequencies of %1").arg(where),
                       model_->StoreCells(tr("fill frequencies of %1").arg(where), rows));
        return true;
      });
  dialog->setObjectName(QStringLiteral("fillFrequencies"));
  dialog->open();
}

void MemoryPage::ShowContextMenu(const QPoint& at) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (QAction* action : context_actions_) {
    if (action) {
      menu->addAction(action);
    } else {
      menu->addSeparator();
    }
  }
  menu->popup(grid_->viewport()->mapToGlobal(at));
}

int MemoryPage::CurrentChannel() const {
  return grid_->CurrentChannel();
}

void MemoryPage::GoToChannel(int channel) {
  grid_->GoToCell(channel, MemoryGridModel::kFrequencyColumn);
}

void MemoryPage::FocusGrid() {
  grid_->setFocus();
}

ChannelEditorDialog* MemoryPage::OpenChannelEditor(int channel) {
  auto* editor = new ChannelEditorDialog(document_, channel, this);
  editor->open();
  return editor;
}

void MemoryPage::Reload() {
  model_->Reload();
}

QString MemoryPage::PageName() const {
  return tr("Memory");
}

bool MemoryPage::HasPendingChanges() const {
  return grid_->IsEditingCell() || model_->HasDrafts();
}

bool MemoryPage::SetPendingChanges() {
  return grid_->FinishCellEdit(true) && model_->StoreDrafts();
}

void MemoryPage::DiscardPendingChanges() {
  grid_->FinishCellEdit(false);
  model_->DropDrafts(1, kChannelCount);
}

void MemoryPage::Refuse(const QString& why) {
  CurrentFeedback().Refuse(this, why);
}

bool MemoryPage::RefusedForDrafts(int first, int last, const QString& what) {
  const int draft = model_->FirstDraftIn(first, last);
  if (draft == 0) return false;
  Refuse(tr("%1 is not done: channel %2 lacks its frequency or mode. Give them, or delete the "
            "channel.")
             .arg(what, NumberText(draft)));
  return true;
}

std::pair<int, int> MemoryPage::TargetRows() {
  if (!grid_->FinishCellEdit(true)) return {0, 0};
  return grid_->SelectedChannelRange();
}

void MemoryPage::ClearSelectedChannels() {
  if (!grid_->FinishCellEdit(true)) return;
  const std::vector<int> channels = grid_->SelectedChannels();
  if (channels.empty()) return;
  ClearChannels(channels, tr("clear"));
}

void MemoryPage::ClearAllChannels() {
  std::vector<int> channels(kChannelCount);
  std::iota(channels.begin(), channels.end(), 1);
  ClearChannels(channels, tr("clear"));
}

void MemoryPage::ClearChannels(const std::vector<int>& channels, const QString& verb) {
  for (const int channel : channels) model_->DropDrafts(channel, channel);
  document_.Edit(verb + u' ' + ChannelsText(channels.front(), channels.back()),
                 [&channels](RadioConfig& record) {
                   for (const int channel : channels) ClearChannel(record, channel);
                 });
}

void MemoryPage::CutSelectedChannels() {
  if (!grid_->FinishCellEdit(true)) return;
  const std::vector<int> channels = grid_->SelectedChannels();
  if (channels.empty()) return;
  CopySelectedChannels();
  ClearChannels(channels, tr("cut"));
  CurrentFeedback().ShowStatus(this, channels.size() == 1
                                         ? tr("1 channel cut.")
                                         : tr("%1 channels cut.").arg(channels.size()));
}

void MemoryPage::CopySelectedChannels() {
  if (!grid_->FinishCellEdit(true)) return;
  std::vector<NumberedChannel> rows;
  for (const int channel : grid_->SelectedChannels()) {
    rows.push_back({channel, document_.Record().Channel(channel)});
  }
  if (rows.empty()) return;
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(FormatChannelTable(rows, kClipboardDelimiter)));
  CurrentFeedback().ShowStatus(this, rows.size() == 1 ? tr("1 channel copied.")
                                                      : tr("%1 channels copied.").arg(rows.size()));
}

void MemoryPage::PasteChannels() {
  const int first = TargetRows().first;
  if (first == 0) return;
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  if (!StartsWithHeaderRow(text, kClipboardDelimiter)) {
    ToChannelOrder();
    PasteByPosition(text, first);
    return;
  }
  const ChannelTable table = ParseChannelTable(text, kClipboardDelimiter);
  if (!table.problems.empty()) {
    CurrentFeedback().Notify(
        this, ApplicationTitle(),
        tr("Nothing was pasted.\n\n%1").arg(PasteNotes(table.problems, table, first)));
    return;
  }
  if (table.rows.empty()) {
    Refuse(tr("Nothing was pasted: the clipboard holds no channels."));
    return;
  }
  const int count = static_cast<int>(table.rows.size());
  const int last = first + count - 1;
  if (last > kChannelCount) {
    Refuse(tr("Nothing was pasted: %1 channels do not fit between channel %2 and the last "
              "channel, %3.")
               .arg(count)
               .arg(NumberText(first), NumberText(kChannelCount)));
    return;
  }
  model_->DropDrafts(first, last);
  document_.Edit(tr("paste %1").arg(ChannelsText(first, last)), [&](RadioConfig& record) {
    for (int i = 0; i < count; ++i) {
      record.Channel(first + i) = table.rows[static_cast<std::size_t>(i)].channel;
    }
  });
  grid_->SelectChannels(first, last);
  if (!table.warnings.empty()) {
    CurrentFeedback().Notify(
        this, ApplicationTitle(),
        tr("Pasted %1, with these changes:\n\n%2")
            .arg(ChannelsText(first, last), PasteNotes(table.warnings, table, first)));
  }
}

void MemoryPage::PasteByPosition(const std::string& text, int first) {
  // The visible columns from the current cell's on, in the order the grid shows them.
  std::vector<int> columns;
  for (int column = std::max(grid_->currentIndex().column(),
                             static_cast<int>(MemoryGridModel::kFrequencyColumn));
       column < MemoryGridModel::kColumnCount; ++column) {
    if (!grid_->isColumnHidden(column)) columns.push_back(column);
  }
  std::vector<MemoryGridModel::RowCells> rows;
  bool beyond = false;
  CsvReader reader(text, kClipboardDelimiter);
  while (!reader.AtEnd()) {
    const auto record = reader.Next();
    if (!record) {
      CurrentFeedback().Notify(this, ApplicationTitle(),
                               tr("Nothing was pasted.\n\nline %1: %2")
                                   .arg(record.error().line)
                                   .arg(QString::fromStdString(record.error().reason)));
      return;
    }
    MemoryGridModel::RowCells row{first + static_cast<int>(rows.size()), {}};
    for (std::size_t i = 0; i < record->cells.size(); ++i) {
      const QString cell = QString::fromStdString(record->cells[i].text);
      if (cell.trimmed().isEmpty()) continue;  // a blank cell leaves the grid's as it is
      if (i >= columns.size()) {
        beyond = true;
        continue;
      }
      row.cells.push_back({columns[i], cell});
    }
    rows.push_back(std::move(row));
  }
  if (rows.empty()) {
    Refuse(tr("Nothing was pasted: the clipboard holds no channels."));
    return;
  }
  const int last = first + static_cast<int>(rows.size()) - 1;
  if (last > kChannelCount) {
    Refuse(tr("Nothing was pasted: %1 rows do not fit between channel %2 and the last "
              "channel, %3.")
               .arg(rows.size())
               .arg(NumberText(first), NumberText(kChannelCount)));
    return;
  }
  QStringList refusals =
      model_->StoreCells(tr("paste into %1").arg(ChannelsText(first, last)), rows);
  if (beyond) refusals.prepend(tr("The cells right of the last column are not pasted."));
  const int column = grid_->currentIndex().column();
  grid_->SelectChannels(first, last);
  grid_->selectionModel()->setCurrentIndex(
      model_->index(MemoryGridModel::RowOfChannel(first), column), QItemSelectionModel::NoUpdate);
  ReportRefusals(tr("Pasted into %1").arg(ChannelsText(first, last)), refusals);
}

void MemoryPage::ToChannelOrder() {
  if (!grid_->IsSortedOrFiltered()) return;
  grid_->ShowChannelOrder();
  programmed_only_->setChecked(false);
  CurrentFeedback().ShowStatus(this, tr("The grid shows every channel in channel order again."));
}

void MemoryPage::ReportRefusals(const QString& done, const QStringList& refusals) {
  if (refusals.isEmpty()) {
    CurrentFeedback().ShowStatus(this, done + u'.');
    return;
  }
  constexpr qsizetype kListed = 20;
  QStringList lines = refusals.mid(0, kListed);
  if (refusals.size() > kListed) lines << tr("... and %1 more").arg(refusals.size() - kListed);
  CurrentFeedback().Notify(
      this, ApplicationTitle(),
      tr("%1; these cells were left as they were:\n\n%2").arg(done, lines.join(u'\n')));
}

void MemoryPage::InsertEmptyChannels() {
  ToChannelOrder();
  const auto [first, last] = TargetRows();
  if (first == 0) return;
  const QString what = tr("insert empty %1").arg(ChannelsText(first, last));
  if (RefusedForDrafts(first, kChannelCount, tr("Inserting"))) return;
  std::string refusal;
  document_.Edit(what, [&, first, last](RadioConfig& record) {
    if (auto inserted = kestrel::InsertEmptyChannels(record, first, last - first + 1); !inserted) {
      refusal = inserted.error();
    }
  });
  if (!refusal.empty()) {
    Refuse(tr("No channel is inserted: %1.").arg(QString::fromStdString(refusal)));
  }
}

void MemoryPage::RemoveSelectedChannels() {
  ToChannelOrder();
  const auto [first, last] = TargetRows();
  if (first == 0 || RefusedForDrafts(first, kChannelCount, tr("Removing"))) return;
  document_.Edit(tr("delete and shift up %1").arg(ChannelsText(first, last)),
                 [first, last](RadioConfig& record) { RemoveChannels(record, first, last); });
  grid_->SelectChannel(first);
}

void MemoryPage::MoveSelectedChannels(int by) {
  ToChannelOrder();
  const auto [first, last] = TargetRows();
  if (first == 0) return;
  if (first + by < 1 || last + by > kChannelCount) {
    Refuse(by < 0 ? tr("Channel %1 is the first channel.").arg(NumberText(first))
                  : tr("Channel %1 is the last channel.").arg(NumberText(last)));
    return;
  }
  if (RefusedForDrafts(std::min(first, first + by), std::max(last, last + by), tr("Moving"))) {
    return;
  }
  const QString what = by < 0 ? tr("move %1 up").arg(ChannelsText(first, last))
                              : tr("move %1 down").arg(ChannelsText(first, last));
  document_.Edit(what,
                 [first, last, by](RadioConfig& record) { MoveChannels(record, first, last, by); });
  grid_->SelectChannels(first + by, last + by);
}

void MemoryPage::SortSelectedChannels(ChannelOrder order) {
  ToChannelOrder();
  const auto [first, last] = TargetRows();
  if (first == 0 || RefusedForDrafts(first, last, tr("Sorting"))) return;
  const QString what = order == ChannelOrder::kFrequency
                           ? tr("sort %1 by frequency").arg(ChannelsText(first, last))
                           : tr("sort %1 by name").arg(ChannelsText(first, last));
  document_.Edit(what, [first, last, order](RadioConfig& record) {
    SortChannels(record, first, last, order);
  });
  grid_->SelectChannels(first, last);
}

}  // namespace kestrel::ui
