// The program's main window: the File, COM and Help menus, the three editing pages (and the
// hidden Factory Settings page) on a tab widget, the port choice kept in the settings file, the
// data file commands, and the read and program dialogs. It owns the Document.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

#include "link/port_choice.h"
#include "print/reports.h"
#include "ui/document.h"

class QAction;
class QActionGroup;
class QMenu;
class QTabWidget;

namespace kestrel::ui {

// The simulated receiver's port as the port menu holds it ("sim").
QString SimulatedPortText();

class DocumentStorage;
class FactoryPage;
class MemoryPage;
class RadioJobs;
class SearchBandPage;
class SetModePage;
class TransferDialog;

// The Memory page the window shows; it offers Reload() and ReadRequested() / WriteRequested().
using MemoryPageWidget = MemoryPage;

struct MainWindowSetup {
  QString settings_file;   // the settings file, created at start-up when missing
  QString program_folder;  // where the file dialogs start before a file was named
  bool simulate = false;   // use the simulated receiver for this run, whatever the settings say
  // The file in the user's configuration that keeps the window's size and place between runs;
  // "" keeps nothing.
  QString window_settings;
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kFactoryTab = 3;

  MainWindow(RadioJobs& jobs, DocumentStorage& storage, MainWindowSetup setup,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  Document& Doc() { return document_; }
  QTabWidget* Tabs() const { return tabs_; }
  SetModePage* SetModeTab() const { return set_mode_page_; }
  MemoryPageWidget* MemoryTab() const { return memory_page_; }
  SearchBandPage* SearchBandTab() const { return band_page_; }
  FactoryPage* FactoryTab() const { return factory_page_; }
  // The numbered port items "COM &1" to "COM &4" (number 1 to 4).
  QAction* ComAction(int number) const {
    return com_actions_[static_cast<std::size_t>(number - 1)];
  }
  QAction* SimulatedAction() const { return simulated_action_; }
  QMenu* PortMenu() const { return port_menu_; }
  // The port the next transfer uses, as text: "1" to "4", a device name, or "sim"; "0" when none
  // is chosen.
  QString Port() const { return QString::fromStdString(port_.Text()); }
  // The read or program dialog while one is open.
  TransferDialog* OpenTransferDialog() const;

 public slots:
  void New();
  void Open();
  bool Save();
  bool SaveAs();
  void Print();
  void PrintPreview();
  void ExportPdf();
  void StartRead();
  void StartProgram();
  void ShowAbout();
  // Chooses COM port 1 to 4 and stores the choice; other numbers check nothing and change nothing.
  void SelectComPort(int number);
  // Chooses a port of the system's list, or the simulated receiver; `remember` stores it.
  void SelectNamedPort(const QString& device, bool remember);
  void RefreshAllTabs();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Where the window opens: as it was left, or centred at a size that fits the screen.
  void PlaceWindow();
  void SavePlace() const;
  void BuildMenus();
  void BuildPortMenu(QMenu* com);
  void BuildPages();
  void ListSystemPorts();
  void CheckCurrentPort();
  bool MaybeSave();
  bool SaveTo(const QString& path);
  // The report choice, remembered in the settings file; OK hands the ticked reports to `put_out`.
  void ChooseReports(const QString& title,
                     std::function<void(const print::ReportSelection&)> put_out);
  QString StartFolder() const;
  void OnTabChanged(int index);
  void OnReadClosed(TransferDialog* dialog);
  // The program dialog, after any values outside their tables were accepted.
  void OpenProgramDialog();

  Document document_;
  RadioJobs& jobs_;
  DocumentStorage& storage_;
  MainWindowSetup setup_;
  link::PortChoice port_;

  QTabWidget* tabs_ = nullptr;
  SetModePage* set_mode_page_ = nullptr;
  MemoryPageWidget* memory_page_ = nullptr;
  SearchBandPage* band_page_ = nullptr;
  FactoryPage* factory_page_ = nullptr;
  int previous_tab_ = 0;

  QMenu* port_menu_ = nullptr;
  QActionGroup* port_group_ = nullptr;
  std::array<QAction*, 4> com_actions_{};
  QAction* simulated_action_ = nullptr;
  QList<QAction*> system_port_actions_;
  QAction* system_ports_end_ = nullptr;
  QPointer<TransferDialog> transfer_dialog_;
};

}  // namespace kestrel::ui
