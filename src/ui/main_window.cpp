#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QSerialPortInfo>
#include <QTabWidget>

#include <filesystem>

#include "files/settings.h"
#include "model/defaults.h"
#include "ui/about_dialog.h"
#include "ui/document_storage.h"
#include "ui/factory_page.h"
#include "ui/feedback.h"
#include "ui/file_dialogs.h"
#include "ui/memory_page.h"
#include "ui/port_settings.h"
#include "ui/print_selection_dialog.h"
#include "ui/search_band_page.h"
#include "ui/set_mode_page.h"
#include "ui/several_receivers_dialog.h"
#include "ui/transfer_dialog.h"
#include "ui/transfer_job.h"
#include "ui/window_title.h"

namespace kestrel::ui {

namespace {

MemoryPageWidget* MakeMemoryPage(Document& document, QWidget* parent) {
  return new MemoryPageWidget(document, parent);
}

const QString kSimulatedPort = QString::fromStdString(link::PortChoice::Simulated().Text());

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

PrintFlags LoadPrintFlags(const QString& settings_file) {
  const PrintSettings stored = LoadPrintSettings(NativePath(settings_file));
  return {stored.SetMode, stored.Memory, stored.SearchBandMemory, stored.FactorySetting};
}

void SavePrintFlags(const QString& settings_file, const PrintFlags& flags) {
  SavePrintSettings(NativePath(settings_file), {flags[0], flags[1], flags[2], flags[3]});
}

}  // namespace

MainWindow::MainWindow(RadioJobs& jobs, DocumentStorage& storage, MainWindowSetup setup,
                       QWidget* parent)
    : QMainWindow(parent), jobs_(jobs), storage_(storage), setup_(std::move(setup)) {
  setWindowTitle(ApplicationTitle() + QStringLiteral("[*]"));
  resize(1000, 700);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
  }

  BuildMenus();
  SelectComPort(LoadComPort(setup_.settings_file));  // writes the number back: creates the file
  const QString device = LoadComPortName(setup_.settings_file);
  if (!device.isEmpty()) SelectNamedPort(device, false);
  if (setup_.simulate) SelectNamedPort(kSimulatedPort, false);

  BuildPages();
  connect(&document_, &Document::Replaced, this, &MainWindow::RefreshAllTabs);
  connect(&document_, &Document::ModifiedChanged, this, &QWidget::setWindowModified);
  RefreshAllTabs();
  tabs_->setCurrentIndex(0);
  factory_page_->ResetColors();
}

MainWindow::~MainWindow() = default;

TransferDialog* MainWindow::OpenTransferDialog() const {
  return transfer_dialog_.data();
}

SeveralReceiversDialog* MainWindow::OpenSeveralDialog() const {
  return several_dialog_.data();
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&New"), QKeySequence::New, this, &MainWindow::New);
  file->addAction(tr("&Open"), QKeySequence::Open, this, &MainWindow::Open);
  file->addAction(tr("&Save"), QKeySequence::Save, this, &MainWindow::Save);
  file->addAction(tr("Save &As"), QKeySequence::SaveAs, this, &MainWindow::SaveAs);
  file->addSeparator();
  file->addAction(tr("&Print"), QKeySequence::Print, this, &MainWindow::Print);
  file->addAction(tr("Print Pre&view"), this, &MainWindow::PrintPreview);
  file->addAction(tr("Export &PDF..."), this, &MainWindow::ExportPdf);
  file->addSeparator();
  file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);

  QMenu* com = menuBar()->addMenu(tr("&COM"));
  com->addAction(tr("&Read from Radio"), this, &MainWindow::StartRead);
  com->addAction(tr("Pro&gram to Radio"), this, &MainWindow::StartProgram);
  com->addAction(tr("Program Several Receivers..."), this, &MainWindow::StartProgramSeveral);
  port_menu_ = com->addMenu(tr("Por&t"));
  for (int number = 1; number <= 4; ++number) {
    QAction* item = port_menu_->addAction(tr("COM &%1").arg(number));
    item->setCheckable(true);
    item->setData(QString::number(number));
    connect(item, &QAction::triggered, this, [this, number] {
      SelectComPort(number);
      if (!LoadComPortName(setup_.settings_file).isEmpty()) {
        SaveComPortName(setup_.settings_file, QString());
      }
    });
    com_actions_[static_cast<std::size_t>(number - 1)] = item;
  }
  port_menu_->addSeparator();
  simulated_action_ = port_menu_->addAction(tr("Simulated receiver"));
  simulated_action_->setCheckable(true);
  simulated_action_->setData(kSimulatedPort);
  connect(simulated_action_, &QAction::triggered, this,
          [this] { SelectNamedPort(kSimulatedPort, true); });
  connect(port_menu_, &QMenu::aboutToShow, this, &MainWindow::ListSystemPorts);
  ListSystemPorts();

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(tr("A&bout"), this, &MainWindow::ShowAbout);
}

void MainWindow::BuildPages() {
  tabs_ = new QTabWidget(this);
  set_mode_page_ = new SetModePage(document_, tabs_);
  memory_page_ = MakeMemoryPage(document_, tabs_);
  band_page_ = new SearchBandPage(document_, tabs_);
  factory_page_ = new FactoryPage(document_, tabs_);
  tabs_->addTab(set_mode_page_, tr("Set Mode"));
  tabs_->addTab(memory_page_, tr("Memory"));
  tabs_->addTab(band_page_, tr("Search Band Memory"));
  // The service page is loaded like the others but never offered: no caption, no visible tab,
  // and a switch to it goes straight back.
  tabs_->addTab(factory_page_, QString());
  tabs_->setTabVisible(kFactoryTab, false);
  connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::OnTabChanged);
  setCentralWidget(tabs_);

  connect(set_mode_page_, &SetModePage::ReadRequested, this, &MainWindow::StartRead);
  connect(set_mode_page_, &SetModePage::WriteRequested, this, &MainWindow::StartProgram);
  connect(memory_page_, &MemoryPageWidget::ReadRequested, this, &MainWindow::StartRead);
  connect(memory_page_, &MemoryPageWidget::WriteRequested, this, &MainWindow::StartProgram);
  connect(band_page_, &SearchBandPage::ReadRequested, this, &MainWindow::StartRead);
  connect(band_page_, &SearchBandPage::WriteRequested, this, &MainWindow::StartProgram);
  connect(factory_page_, &FactoryPage::ReadRequested, this, &MainWindow::StartRead);
  connect(factory_page_, &FactoryPage::WriteRequested, this, &MainWindow::StartProgram);
}

void MainWindow::OnTabChanged(int index) {
  if (index == kFactoryTab) {
    tabs_->setCurrentIndex(previous_tab_);
    return;
  }
  previous_tab_ = index;
}

void MainWindow::RefreshAllTabs() {
  set_mode_page_->Reload();
  memory_page_->Reload();
  band_page_->Reload();
  factory_page_->Reload();
}

// Port choice ---------------------------------------------------------------------------------

void MainWindow::SelectComPort(int number) {
  if (number < 1 || number > 4) {
    for (QAction* item : com_actions_) item->setChecked(false);
    return;
  }
  port_ = link::PortChoice::Number(number);
  CheckCurrentPort();
  SaveComPort(setup_.settings_file, number);
}

void MainWindow::SelectNamedPort(const QString& device, bool remember) {
  const auto choice = link::ParsePortChoice(device.toStdString());
  if (!choice) return;
  port_ = *choice;
  ListSystemPorts();
  if (remember) SaveComPortName(setup_.settings_file, device);
}

void MainWindow::ListSystemPorts() {
  for (QAction* item : system_port_actions_) {
    port_menu_->removeAction(item);
    delete item;
  }
  system_port_actions_.clear();
  QStringList devices;
  QList<QPair<QString, QString>> entries;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const QString device = info.systemLocation();
    const QString text = info.description().isEmpty()
                             ? device
                             : QStringLiteral("%1  (%2)").arg(device, info.description());
    devices << device;
    entries.append({device, text});
  }
  // A remembered port that is not plugged in now still shows as the choice.
  if (port_.kind == link::PortChoice::Kind::kDevice && !devices.contains(Port())) {
    entries.append({Port(), tr("%1  (not connected)").arg(Port())});
  }
  for (const auto& [device, text] : entries) {
    auto* item = new QAction(text, port_menu_);
    item->setCheckable(true);
    item->setData(device);
    connect(item, &QAction::triggered, this, [this, device] { SelectNamedPort(device, true); });
    port_menu_->insertAction(simulated_action_, item);
    system_port_actions_.append(item);
  }
  CheckCurrentPort();
}

void MainWindow::CheckCurrentPort() {
  for (QAction* item : port_menu_->actions()) {
    if (item->isCheckable()) item->setChecked(item->data().toString() == Port());
  }
}

// File commands -------------------------------------------------------------------------------

bool MainWindow::MaybeSave() {
  if (!document_.IsModified()) return true;
  const auto answer = CurrentFeedback().Question(
      this, ApplicationTitle(), tr("Save changes?"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return Save();
  return answer == QMessageBox::Discard;
}

QString MainWindow::StartFolder() const {
  return DataFileFolder(document_.FileName(), setup_.program_folder);
}

void MainWindow::New() {
  if (!MaybeSave()) return;
  document_.Replace(NewConfiguration(), QString());
}

void MainWindow::Open() {
  if (!MaybeSave()) return;
  band_page_->CloseEditFrame();
  const QString path = CurrentFeedback().OpenFileName(this, OpenDialogTitle(), StartFolder(),
                                                      DataFileFilter(), kDataFileSuffix);
  if (path.isEmpty()) return;
  auto loaded = storage_.Load(path, document_.Record());
  if (!loaded) {
    CurrentFeedback().Warning(
        this, ApplicationTitle(),
        tr("The file %1 cannot be opened:\n%2\n\nThe configuration was not changed.")
            .arg(path, loaded.error()));
    return;
  }
  document_.Replace(*loaded, path);
}

bool MainWindow::Save() {
  if (document_.FileName().isEmpty()) return SaveAs();
  return SaveTo(document_.FileName());
}

bool MainWindow::SaveAs() {
  const QString path = CurrentFeedback().SaveFileName(this, SaveDialogTitle(), StartFolder(),
                                                      DataFileFilter(), kDataFileSuffix);
  if (path.isEmpty()) return false;
  return SaveTo(path);
}

bool MainWindow::SaveTo(const QString& path) {
  const auto saved = storage_.Save(path, document_.Record());
  if (!saved) {
    CurrentFeedback().Warning(this, ApplicationTitle(),
                              tr("The file %1 cannot be saved:\n%2").arg(path, saved.error()));
    return false;
  }
  document_.MarkSaved(path);
  return true;
}

void MainWindow::Print() {
  auto* dialog = new PrintSelectionDialog(
      LoadPrintFlags(setup_.settings_file),
      [this](const print::ReportSelection& selection) {
        PrintReportsOnPrinter(this, document_.Record(), selection);
      },
      this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this,
          [this, dialog] { SavePrintFlags(setup_.settings_file, dialog->Flags()); });
  dialog->open();
}

// The preview and the PDF show the reports ticked the last time File > Print was confirmed.
void MainWindow::PrintPreview() {
  const print::ReportSelection selection = SelectionOf(LoadPrintFlags(setup_.settings_file));
  if (!selection.Any()) {
    CurrentFeedback().Information(this, ApplicationTitle(),
                                  tr("No report is ticked in File > Print."));
    return;
  }
  QPrintPreviewDialog* preview =
      MakeReportPreviewDialog(this, document_.Record(), selection).release();
  preview->setAttribute(Qt::WA_DeleteOnClose);
  preview->open();
}

void MainWindow::ExportPdf() {
  const print::ReportSelection selection = SelectionOf(LoadPrintFlags(setup_.settings_file));
  if (!selection.Any()) {
    CurrentFeedback().Information(this, ApplicationTitle(),
                                  tr("No report is ticked in File > Print."));
    return;
  }
  const QString path = CurrentFeedback().SaveFileName(this, tr("Export PDF"), StartFolder(),
                                                      tr("PDF files (*.pdf)"), "pdf");
  if (path.isEmpty()) return;
  ExportReportsToPdf(this, document_.Record(), selection, path);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // One look at each guarded pointer: g++ 12 at -O2 doubts a second one is still set.
  if (TransferDialog* dialog = transfer_dialog_.data(); dialog && dialog->IsBusy()) {
    event->ignore();
    dialog->AskToCancel();
    return;
  }
  if (SeveralReceiversDialog* dialog = several_dialog_.data(); dialog && dialog->IsBusy()) {
    event->ignore();
    dialog->AskToCancel();
    return;
  }
  if (!MaybeSave()) {
    event->ignore();
    return;
  }
  event->accept();
}

// Transfers -----------------------------------------------------------------------------------

void MainWindow::StartRead() {
  if (transfer_dialog_ || several_dialog_) return;
  if (!MaybeSave()) return;
  auto* dialog = new TransferDialog(
      TransferDialog::Kind::kRead,
      [this](bool) { return jobs_.ReadJob(port_, document_.Record(), document_.Image()); }, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::finished, this, [this, dialog] {
    transfer_dialog_ = nullptr;
    OnReadClosed(dialog);
  });
  transfer_dialog_ = dialog;
  dialog->open();
}

void MainWindow::OnReadClosed(TransferDialog* dialog) {
  const auto& result = dialog->SucceededRead();
  if (!result || !result->record) return;
  band_page_->CloseEditFrame();
  if (result->image) document_.Image() = *result->image;
  document_.Replace(*result->record, document_.FileName());
}

void MainWindow::StartProgram() {
  if (transfer_dialog_ || several_dialog_) return;
  auto* dialog = new TransferDialog(
      TransferDialog::Kind::kProgram,
      [this](bool verify) {
        return jobs_.ProgramJob(port_, document_.Record(), document_.Image(), verify);
      },
      this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::finished, this, [this] { transfer_dialog_ = nullptr; });
  // The image holds what was encoded and sent, and the receiver's region bytes.
  connect(dialog, &TransferDialog::TransferFinished, this, [this](const TransferOutcome& outcome) {
    if (outcome.image) document_.Image() = *outcome.image;
  });
  transfer_dialog_ = dialog;
  dialog->open();
}

// Every receiver gets the configuration as it is now; the window's image stays as it was, as
// each receiver's region bytes differ.
void MainWindow::StartProgramSeveral() {
  if (transfer_dialog_ || several_dialog_) return;
  auto* dialog = new SeveralReceiversDialog(
      SeveralReceiversDialog::AvailablePorts(),
      [this](const link::PortChoice& port, bool verify) {
        return jobs_.ProgramJob(port, document_.Record(), document_.Image(), verify);
      },
      this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  several_dialog_ = dialog;
  dialog->open();
}

void MainWindow::ShowAbout() {
  auto* about = new AboutDialog(this);
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->open();
}

}  // namespace kestrel::ui
