// The main window: its menus, the pages on the tab widget, and closing.
#include "ui/main_window.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>

#include "ui/about_dialog.h"
#include "ui/factory_page.h"
#include "ui/memory_grid_view.h"
#include "ui/memory_page.h"
#include "ui/port_settings.h"
#include "ui/search_band_page.h"
#include "ui/set_mode_page.h"
#include "ui/several_receivers_dialog.h"
#include "ui/transfer_dialog.h"
#include "ui/user_guide.h"
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
const QString kReadFirstKey = QStringLiteral("Write/readFirst");

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
  BuildMenus();
  SelectComPort(LoadComPort(setup_.settings_file));  // writes the number back: creates the file
  const QString device = LoadComPortName(setup_.settings_file);
  if (!device.isEmpty()) SelectNamedPort(device, false);
  if (setup_.simulate) SelectNamedPort(SimulatedPortText(), false);

  BuildPages();
  statusBar();
  connect(&document_, &Document::Replaced, this, &MainWindow::RefreshAllTabs);
  connect(&document_, &Document::ModifiedChanged, this, &QWidget::setWindowModified);
  connect(&document_, &Document::OriginChanged, this, &MainWindow::ShowTitle);
  ShowTitle();
  RefreshAllTabs();
  tabs_->setCurrentIndex(0);
  OnTabChanged(0);
  factory_page_->ResetColors();
  PlaceWindow();
}

MainWindow::~MainWindow() = default;

TransferDialog* MainWindow::OpenTransferDialog() const {
  return transfer_dialog_.data();
}

SeveralReceiversDialog* MainWindow::OpenSeveralDialog() const {
  return several_dialog_.data();
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

bool MainWindow::ReadFirstChosen() const {
  if (setup_.window_settings.isEmpty()) return false;
  return QSettings(setup_.window_settings, QSettings::IniFormat).value(kReadFirstKey).toBool();
}

void MainWindow::ChooseReadFirst(bool chosen) const {
  if (setup_.window_settings.isEmpty()) return;
  QSettings(setup_.window_settings, QSettings::IniFormat).setValue(kReadFirstKey, chosen);
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&New"), QKeySequence::New, this, &MainWindow::New);
  file->addAction(tr("&Open"), QKeySequence::Open, this, &MainWindow::Open);
  file->addAction(tr("&Save"), QKeySequence::Save, this, &MainWindow::Save);
  QAction* save_as = file->addAction(tr("Save &As"), this, &MainWindow::SaveAs);
  save_as->setShortcuts(PlatformKeys(QKeySequence::SaveAs, QKeySequence(tr("Ctrl+Shift+S"))));
  file->addSeparator();
  file->addAction(tr("&Import Channels..."), this, &MainWindow::ImportChannelList);
  file->addAction(tr("&Export Channels..."), this, &MainWindow::ExportChannelList);
  file->addAction(tr("Receiver &Backups..."), this, &MainWindow::ShowReceiverBackups);
  file->addAction(tr("&Compare with File..."), this, &MainWindow::CompareWithFile);
  file->addSeparator();
  file->addAction(tr("&Print"), QKeySequence::Print, this, &MainWindow::Print);
  file->addAction(tr("Print Pre&view"), this, &MainWindow::PrintPreview);
  file->addAction(tr("Export P&DF..."), this, &MainWindow::ExportPdf);
  file->addSeparator();
  QAction* exit = file->addAction(tr("E&xit"), this, &QWidget::close);
  exit->setShortcuts(PlatformKeys(QKeySequence::Quit, QKeySequence(tr("Ctrl+Q"))));

  // Cut, Copy, Paste and Delete are the Memory page's; BuildPages adds them.
  edit_menu_ = menuBar()->addMenu(tr("&Edit"));
  QAction* undo = document_.History().createUndoAction(this, tr("&Undo"));
  undo->setShortcuts(QKeySequence::Undo);
  QAction* redo = document_.History().createRedoAction(this, tr("&Redo"));
  // Some desktops bind only Ctrl+Shift+Z to redo; Ctrl+Y is what users of other tools type.
  QList<QKeySequence> redo_keys = QKeySequence::keyBindings(QKeySequence::Redo);
  if (const QKeySequence ctrl_y(Qt::CTRL | Qt::Key_Y); !redo_keys.contains(ctrl_y)) {
    redo_keys << ctrl_y;
  }
  redo->setShortcuts(redo_keys);
  edit_menu_->addActions({undo, redo});
  edit_menu_->addSeparator();

  QMenu* com = menuBar()->addMenu(tr("&COM"));
  com->addAction(tr("&Read from Radio"), this, &MainWindow::StartRead);
  com->addAction(tr("Pro&gram to Radio"), this, &MainWindow::StartProgram);
  com->addAction(tr("Program &Several Receivers..."), this, &MainWindow::StartProgramSeveral);
  com->addAction(tr("Write &Changes to Radio..."), this, &MainWindow::StartWriteChanges);
  com->addAction(tr("Co&mpare with Radio..."), this, &MainWindow::CompareWithRadio);
  BuildPortMenu(com);

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(tr("&User Guide"), QKeySequence::HelpContents, this,
                  [this] { ShowUserGuide(this); });
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
  // Ctrl+Tab and Ctrl+Shift+Tab change the page wherever the focus is: the grids would take them
  // as a move to the next cell, and the tabs would stop at the page that is never offered.
  // Keyboards send Shift+Tab as Backtab, or as Tab with Shift: both are taken.
  AddShortcut(QKeySequence::NextChild, {QKeySequence(Qt::CTRL | Qt::Key_Tab)},
              [this] { StepPage(1); });
  AddShortcut(QKeySequence::PreviousChild,
              {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)},
              [this] { StepPage(-1); });
  edit_menu_->addActions(memory_page_->EditActions());
  edit_menu_->addSeparator();
  edit_menu_->addActions(memory_page_->FindActions());
  auto* view = new QMenu(tr("&View"), this);
  view->addActions(memory_page_->ViewActions());
  const QList<QAction*> menus = menuBar()->actions();
  menuBar()->insertMenu(menus.value(menus.indexOf(edit_menu_->menuAction()) + 1), view);

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
  // The clipboard commands act on the channel grid: only while it is in sight. Arriving on the
  // page from the keyboard, the keys go to the grid.
  const bool on_memory = tabs_->widget(index) == memory_page_;
  for (QAction* action : memory_page_->EditActions() + memory_page_->FindActions()) {
    action->setEnabled(on_memory);
  }
  if (on_memory) memory_page_->FocusGrid();
}

void MainWindow::AddShortcut(QKeySequence::StandardKey standard, QList<QKeySequence> also,
                             const std::function<void()>& act) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
  for (const QKeySequence& key : also) {
    if (!keys.contains(key)) keys << key;
  }
  auto* shortcut = new QShortcut(this);
  shortcut->setKeys(keys);
  connect(shortcut, &QShortcut::activated, this, act);
}

void MainWindow::StepPage(int step) {
  const int count = tabs_->count();
  int index = tabs_->currentIndex();
  do {
    index = (index + step + count) % count;
  } while (!tabs_->isTabVisible(index));
  tabs_->setCurrentIndex(index);
}

void MainWindow::ShowTitle() {
  QString shown;
  switch (document_.Origin()) {
    case Document::Source::kNew:
      break;
    case Document::Source::kFile:
      shown = QFileInfo(document_.FileName()).fileName();
      break;
    case Document::Source::kReceiver:
      shown = tr("Read from the receiver");
      break;
  }
  const QString mark = QStringLiteral("[*]");
  setWindowTitle(shown.isEmpty() ? ApplicationTitle() + mark
                                 : shown + mark + QStringLiteral(" - ") + ApplicationTitle());
}

void MainWindow::RefreshAllTabs() {
  set_mode_page_->Reload();
  memory_page_->Reload();
  band_page_->Reload();
  factory_page_->Reload();
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
  if (leaving_ || (!document_.IsModified() && !AnyPagePending())) {
    SavePlace();
    event->accept();
    return;
  }
  // The questions do not wait; once they are answered the window closes again, from the event
  // loop, since a close cannot start inside this one.
  event->ignore();
  ConfirmLeaving([this] {
    ApplyChosenDiscards();
    leaving_ = true;
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
  });
}

void MainWindow::ShowAbout() {
  auto* about = new AboutDialog(this);
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->open();
}

}  // namespace kestrel::ui
