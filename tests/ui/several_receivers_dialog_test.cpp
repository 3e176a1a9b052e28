#include "ui/several_receivers_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTest>

#include "ui/system_ports.h"
#include "ui_fakes.h"

namespace kestrel::ui {
namespace {

using testing::FakeRadioJobs;
using testing::RecordingFeedback;

struct SeveralReceiversTest : ::testing::Test {
  SeveralReceiversTest() {
    dialog.open();
    jobs.port_outcomes[QStringLiteral("sim2")] = testing::Failure(2);
  }
  bool Run(std::initializer_list<int> rows, std::latch* gate = nullptr) {
    for (int row : rows) dialog.PortBox(row)->setChecked(true);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    if (gate) {
      QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
      gate->count_down();
    }
    return QTest::qWaitFor([&] { return !dialog.IsBusy(); }, 5000);
  }
  QStringList Results() const {
    QStringList results;
    for (int row = 0; row < dialog.PortCount(); ++row) results << dialog.PortResult(row)->text();
    return results;
  }

  RecordingFeedback feedback;
  FakeRadioJobs jobs;
  SeveralReceiversDialog dialog{{{"COM 1", link::PortChoice::Number(1)},
                                 {"Simulated receiver 1", link::PortChoice::Simulated(1)},
                                 {"Simulated receiver 2", link::PortChoice::Simulated(2)}},
                                [this](const link::PortChoice& port, bool verify) {
                                  return jobs.ProgramJob(port, RadioConfig{}, MemoryImage{},
                                                         verify);
                                },
                                nullptr};
};

TEST_F(SeveralReceiversTest, ProgramsTheTickedPortsAtOnceAndShowsEachResult) {
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(feedback.informations.value(0).section('|', 1),
            "No port is ticked: tick the ports of the receivers to write.");
  EXPECT_TRUE(jobs.ports.isEmpty());

  dialog.VerifyBox()->setChecked(true);  // a verified write says so
  ASSERT_TRUE(Run({1, 2}));
  jobs.ports.sort();
  EXPECT_EQ(jobs.ports, (QStringList{"sim", "sim2"}));
  EXPECT_EQ(Results(), (QStringList{"", "Completed writing. Verified",
                                    "Failed to read out. Try again. no answer to the handshake"}));
  EXPECT_EQ(dialog.PortProgress(1)->value(), 32);
  EXPECT_EQ(dialog.OkButton()->text(), "Write again");
  EXPECT_TRUE(dialog.PortBox(1)->isEnabled());

  // The next batch, cancelled while it runs: every job stops.
  std::latch gate(1);
  jobs.gate = &gate;
  dialog.PortBox(2)->setChecked(false);
  ASSERT_TRUE(Run({0, 1}, &gate));
  EXPECT_EQ(Results(), (QStringList{"cancelled", "cancelled", ""}));
  EXPECT_EQ(jobs.ports.size(), 4);
  QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(SeveralReceiversPorts, OfferEachDeviceOnceAndTheSimulatedReceivers) {
  QStringList devices;
  for (int number = 1; number <= 4; ++number) devices << ComPortDevice(number);
  int simulated = 0;
  for (const PortEntry& entry : SeveralReceiversDialog::AvailablePorts()) {
    if (entry.port.kind == link::PortChoice::Kind::kSimulated) ++simulated;
    if (entry.port.kind != link::PortChoice::Kind::kDevice) continue;
    const QString device = QString::fromStdString(entry.port.device);
    EXPECT_FALSE(devices.contains(device)) << "offered twice: " << entry.text.toStdString();
    devices << device;
  }
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    EXPECT_TRUE(devices.contains(info.systemLocation())) << info.systemLocation().toStdString();
  }
  EXPECT_EQ(simulated, 4);
}

}  // namespace
}  // namespace kestrel::ui
