// The File menu's channel list commands: Import Channels and Export Channels, CSV tables read and
// written by the same codec as kestrel-cli import and export.
#include <QFileInfo>
#include <algorithm>
#include <filesystem>

#include "files/channel_csv.h"
#include "files/channel_import.h"
#include "files/output_file.h"
#include "model/display_texts.h"
#include "ui/feedback.h"
#include "ui/finding_text.h"
#include "ui/import_preview_dialog.h"
#include "ui/main_window.h"
#include "ui/memory_grid_model.h"
#include "ui/memory_grid_view.h"
#include "ui/memory_page.h"
#include "ui/window_title.h"

namespace kestrel::ui {

namespace {

constexpr int kListedNotes = 20;  // a box taller than this helps nobody

QString ChannelListFilter() {
  return QObject::tr("CSV files (*.csv)");
}

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

// The notes one a line, as "channels.csv, line 12, column DtcsCode: 999 is not a DCS code".
QString NoteLines(const std::vector<Finding>& notes, const QString& source) {
  QStringList lines;
  for (const Finding& note : notes) {
    if (lines.size() == kListedNotes) {
      lines << QObject::tr("... and %n more", "", static_cast<int>(notes.size()) - kListedNotes);
      break;
    }
    lines << FindingLine(note, source);
  }
  return lines.join('\n');
}

}  // namespace

void MainWindow::ImportChannelList() {
  SettlePendingEdits([this] {
    const QString path =
        AskOpenFile(tr("Import Channels"), ChannelListFilter(), QStringLiteral("csv"));
    if (path.isEmpty()) return;
    const QString source = QFileInfo(path).fileName();
    auto text = ReadChannelListFile(NativePath(path));
    if (!text) {
      CurrentFeedback().Warning(
          this, ApplicationTitle(),
          tr("The file %1 cannot be read:\n%2").arg(path, QString::fromStdString(text.error())));
      return;
    }
    // A fault of the file itself (its line ends, its header) leaves nothing to choose from.
    const ChannelImport whole = kestrel::ImportChannels(*text, document_.Record());
    if (whole.refused && RefusesWholeTable(whole.problems)) {
      CurrentFeedback().Warning(
          this, ApplicationTitle(),
          tr("No channel was imported from %1; the configuration was not changed.\n\n%2")
              .arg(source, NoteLines(whole.problems, source)));
      return;
    }
    auto* preview = new ImportPreviewDialog(std::move(*text), source, document_.Record(),
                                            memory_page_->CurrentChannel(), this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    connect(preview, &QDialog::accepted, this, [this, preview, source] {
      const ChannelImport& result = preview->Result();
      document_.Edit(tr("import channels"),
                     [&result](RadioConfig& record) { record = result.record; });
      CurrentFeedback().ShowStatus(this,
                                   (result.imported == 1 ? tr("1 channel imported from %2.")
                                                         : tr("%1 channels imported from %2."))
                                       .arg(result.imported)
                                       .arg(source));
    });
    preview->open();
  });
}

void MainWindow::ExportChannelList() {
  const QString common = tr("CSV files, the common layout of other tools (*.csv)");
  QString chosen;
  const QString path = AskSaveFile(tr("Export Channels"), ChannelListFilter() + ";;" + common,
                                   QStringLiteral("csv"), &chosen);
  if (path.isEmpty()) return;
  const std::vector<NumberedChannel> channels = ProgrammedChannels(document_.Record());
  std::vector<int> unheld;
  const auto saved =
      SaveFile(NativePath(path), chosen == common ? FormatCommonChannelTable(channels, unheld)
                                                  : FormatChannelTable(channels));
  if (!saved) {
    CurrentFeedback().Warning(
        this, ApplicationTitle(),
        tr("The file %1 cannot be saved:\n%2").arg(path, QString::fromStdString(saved.error())));
    return;
  }
  if (!unheld.empty()) {
    QStringList numbers;
    for (const int number : unheld) numbers << QString::fromStdString(ChannelNumberText(number));
    CurrentFeedback().Information(
        this, ApplicationTitle(),
        tr("The common layout has no place for train tones and scrambler carriers; these channels "
           "were exported without them: %1")
            .arg(numbers.join(", ")));
  }
  CurrentFeedback().ShowStatus(
      this, tr("%1 channels exported to %2.").arg(channels.size()).arg(QFileInfo(path).fileName()));
}

}  // namespace kestrel::ui
