// The COM > Port menu: the four numbered ports, the system's serial ports and the simulated
// receiver, one of them chosen and kept in the settings file.
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "link/port_choice.h"
#include "ui/main_window.h"
#include "ui/port_settings.h"
#include "ui/system_ports.h"

namespace kestrel::ui {

QString SimulatedPortText() {
  return QString::fromStdString(link::PortChoice::Simulated().Text());
}

void MainWindow::BuildPortMenu(QMenu* com) {
  port_menu_ = com->addMenu(tr("Por&t"));
  // One port is chosen at a time: the items show as a one-of choice.
  port_group_ = new QActionGroup(port_menu_);
  port_group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
  for (int number = 1; number <= link::kComPorts; ++number) {
    QAction* item = port_menu_->addAction(tr("COM &%1").arg(number));
    item->setCheckable(true);
    item->setData(QString::number(number));
    port_group_->addAction(item);
    connect(item, &QAction::triggered, this, [this, number] {
      SelectComPort(number);
      if (!LoadComPortName(setup_.settings_file).isEmpty()) {
        SaveComPortName(setup_.settings_file, QString());
      }
    });
    com_actions_[static_cast<std::size_t>(number - 1)] = item;
  }
  port_menu_->addSeparator();
  simulated_action_ = port_menu_->addAction(tr("&Simulated receiver"));
  simulated_action_->setCheckable(true);
  port_group_->addAction(simulated_action_);
  simulated_action_->setData(SimulatedPortText());
  connect(simulated_action_, &QAction::triggered, this,
          [this] { SelectNamedPort(SimulatedPortText(), true); });
  connect(port_menu_, &QMenu::aboutToShow, this, &MainWindow::ListSystemPorts);
  ListSystemPorts();
}

void MainWindow::SelectComPort(int number) {
  if (number < 1 || number > link::kComPorts) {
    for (QAction* item : com_actions_) item->setChecked(false);
    return;
  }
  port_ = link::PortChoice::Number(number);
  ForgetOtherPorts();
  CheckCurrentPort();
  SaveComPort(setup_.settings_file, number);
}

void MainWindow::SelectNamedPort(const QString& device, bool remember) {
  const auto choice = link::ParsePortChoice(device.toStdString());
  if (!choice) return;
  port_ = *choice;
  ForgetOtherPorts();
  ListSystemPorts();
  if (remember) SaveComPortName(setup_.settings_file, device);
}

void MainWindow::ListSystemPorts() {
  for (QAction* item : system_port_actions_) {
    port_menu_->removeAction(item);
    delete item;
  }
  system_port_actions_.clear();
  // A system port that a COM number stands for is offered once, as that number.
  QStringList listed;
  for (int number = 1; number <= link::kComPorts; ++number) {
    listed << ComPortDevice(number);
    com_actions_[static_cast<std::size_t>(number - 1)]->setStatusTip(listed.last());
  }
  std::vector<SystemPort> entries = SystemPortsBesideComNumbers();
  for (const SystemPort& entry : entries) listed << entry.device;
  // A remembered port that is not plugged in now still shows as the choice.
  if (port_.kind == link::PortChoice::Kind::kDevice && !listed.contains(Port())) {
    entries.push_back({Port(), tr("%1  (not connected)").arg(Port())});
  }
  for (const auto& [device, text] : entries) {
    auto* item = new QAction(text, port_menu_);
    item->setCheckable(true);
    item->setData(device);
    port_group_->addAction(item);
    connect(item, &QAction::triggered, this, [this, device] { SelectNamedPort(device, true); });
    port_menu_->insertAction(simulated_action_, item);
    system_port_actions_.append(item);
  }
  CheckCurrentPort();
}

void MainWindow::CheckCurrentPort() {
  for (QAction* item : port_group_->actions()) item->setChecked(item->data().toString() == Port());
  // A device chosen by its name that a COM number stands for shows as that number.
  if (port_.kind != link::PortChoice::Kind::kDevice) return;
  for (int number = 1; number <= link::kComPorts; ++number) {
    if (ComPortDevice(number) == Port()) ComAction(number)->setChecked(true);
  }
}

}  // namespace kestrel::ui
