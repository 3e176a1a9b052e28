// The main window: its menus, the pages on the tab widget, and closing.
#include "ui/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>

#include "ui/about_dialog.h"
#include "ui/factory_page.h"
#include "ui/memory_page.h"
#include "ui/port_settings.h"
#include "ui/search_band_page.h"
#include "ui/set_mode_page.h"
#include "ui/transfer_dialog.h"
#include "ui/window_title.h"

namespace kestrel::ui {

namespace {

MemoryPageWidget* MakeMemoryPage(Document& document, QWidget* parent) {
  return new MemoryPageWidget(document, parent);
}

// What the pages need to show whole at scale 1; a smaller screen gets a smaller window.
constexpr QSize kPreferredSize(1000, 720);
// Room left on the screen for the window manager's title bar and borders.
constexpr QMargins kWindowFrameAllowance(8, 40, 8, 8);
const QString kGeometryKey = QStringLiteral("MainWindow/geometry");

// The platform's keys for a standard command; `otherwise` where the platform has none (a plain
// X11 desktop has no Save As key).
QList<QKeySequence> PlatformKeys(QKeySequence::StandardKey command, const QKeySequence& otherwise) {
  const QList<QKeySequence> keys = QKeySequence::keyBindings(command);
  return keys.isEmpty() ? QList<QKeySequence>{otherwise} : keys;
}

// `window` moved and shrunk where it must to lie within `room`.
QRect FittedInto(const QRect& window, const QRect& room) {
  QRect fitted(window.topLeft(), window.size().boundedTo(room.size()));
  if (fitted.right() > room.right()) fitted.moveRight(room.right());
  if (fitted.bottom() > room.bottom()) fitted.moveBottom(room.bottom());
  if (fitted.left() < room.left()) fitted.moveLeft(room.left());
  if (fitted.top() < room.top()) fitted.moveTop(room.top());
  return fitted;
}

}  // namespace

MainWindow::MainWindow(RadioJobs& jobs, DocumentStorage& storage, MainWindowSetup setup,
                       QWidget* parent)
    : QMainWindow(parent), jobs_(jobs), storage_(storage), setup_(std::move(setup)) {
  setWindowTitle(ApplicationTitle() + QStringLiteral("[*]"));
  BuildMenus();
  SelectComPort(LoadComPort(setup_.settings_file));  // writes the number back: creates the file
  const QString device = LoadComPortName(setup_.settings_file);
  if (!device.isEmpty()) SelectNamedPort(device, false);
  if (setup_.simulate) SelectNamedPort(SimulatedPortText(), false);

  BuildPages();
  connect(&document_, &Document::Replaced, this, &MainWindow::RefreshAllTabs);
  connect(&document_, &Document::ModifiedChanged, this, &QWidget::setWindowModified);
  RefreshAllTabs();
  tabs_->setCurrentIndex(0);
  factory_page_->ResetColors();
  PlaceWindow();
}

MainWindow::~MainWindow() = default;

TransferDialog* MainWindow::OpenTransferDialog() const {
  return transfer_dialog_.data();
}

void MainWindow::PlaceWindow() {
  if (!setup_.window_settings.isEmpty()) {
    const QSettings kept(setup_.window_settings, QSettings::IniFormat);
    if (restoreGeometry(kept.value(kGeometryKey).toByteArray())) {
      // The screen, its size or its scale may have changed since: the window still fits.
      const QScreen* on = QGuiApplication::screenAt(geometry().center());
      if (!on) on = QGuiApplication::primaryScreen();
      if (on && windowState() == Qt::WindowNoState) {
        setGeometry(FittedInto(geometry(), on->availableGeometry() - kWindowFrameAllowance));
      }
      return;
    }
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect room = screen->availableGeometry() - kWindowFrameAllowance;
  QRect placed({}, kPreferredSize.boundedTo(room.size()));
  placed.moveCenter(room.center());
  setGeometry(placed);
}

void MainWindow::SavePlace() const {
  if (setup_.window_settings.isEmpty()) return;
  QSettings kept(setup_.window_settings, QSettings::IniFormat);
  kept.setValue(kGeometryKey, saveGeometry());
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&New"), QKeySequence::New, this, &MainWindow::New);
  file->addAction(tr("&Open"), QKeySequence::Open, this, &MainWindow::Open);
  file->addAction(tr("&Save"), QKeySequence::Save, this, &MainWindow::Save);
  QAction* save_as = file->addAction(tr("Save &As"), this, &MainWindow::SaveAs);
  save_as->setShortcuts(PlatformKeys(QKeySequence::SaveAs, QKeySequence(tr("Ctrl+Shift+S"))));
  file->addSeparator();
  file->addAction(tr("&Print"), QKeySequence::Print, this, &MainWindow::Print);
  file->addAction(tr("Print Pre&view"), this, &MainWindow::PrintPreview);
  file->addAction(tr("Export P&DF..."), this, &MainWindow::ExportPdf);
  file->addSeparator();
  QAction* exit = file->addAction(tr("E&xit"), this, &QWidget::close);
  exit->setShortcuts(PlatformKeys(QKeySequence::Quit, QKeySequence(tr("Ctrl+Q"))));

  QMenu* com = menuBar()->addMenu(tr("&COM"));
  com->addAction(tr("&Read from Radio"), this, &MainWindow::StartRead);
  com->addAction(tr("Pro&gram to Radio"), this, &MainWindow::StartProgram);
  BuildPortMenu(com);

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

void MainWindow::closeEvent(QCloseEvent* event) {
  // One look at the guarded pointer: g++ 12 at -O2 doubts a second one is still set.
  if (const TransferDialog* dialog = transfer_dialog_.data(); dialog && dialog->IsBusy()) {
    event->ignore();
    return;
  }
  if (!MaybeSave()) {
    event->ignore();
    return;
  }
  SavePlace();
  event->accept();
}

void MainWindow::ShowAbout() {
  auto* about = new AboutDialog(this);
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->open();
}

}  // namespace kestrel::ui
