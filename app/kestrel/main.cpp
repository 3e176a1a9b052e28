// kestrel: the Kestrel Programming Tool's window. --simulate talks to the in-process simulated
// receiver for this run instead of the serial port chosen in the COM menu. A data file named on
// the command line is opened at start, as a file manager asks for it.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>

#include "files/settings.h"
#include "ui/document_storage.h"
#include "ui/link_radio_jobs.h"
#include "ui/main_window.h"
#include "ui/window_title.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kestrel"));
  QApplication::setApplicationVersion(QStringLiteral("1.00"));

  QCommandLineParser parser;
  parser.setApplicationDescription(kestrel::ui::ApplicationTitle());
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption simulate(
      QStringLiteral("simulate"),
      QCoreApplication::translate("kestrel", "Use the simulated receiver for this run."));
  parser.addOption(simulate);
  parser.addPositionalArgument(QStringLiteral("file"),
                               QCoreApplication::translate("kestrel", "A data file to open."),
                               QStringLiteral("[FILE.dat]"));
  parser.process(app);

  kestrel::ui::MainWindowSetup setup;
  setup.program_folder = QCoreApplication::applicationDirPath();
  const std::filesystem::path settings = kestrel::SettingsFilePath(
      setup.program_folder.toStdU16String(),
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdU16String());
  setup.settings_file = QString::fromStdU16String(settings.u16string());
  setup.simulate = parser.isSet(simulate);
  setup.window_settings =
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/window.ini";
  // The folder kestrel-cli keeps its backups in too.
  if (const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
      !data.isEmpty()) {
    setup.backups_folder = data + "/backups";
  }

  kestrel::ui::LinkRadioJobs jobs;
  kestrel::ui::DataFileStorage storage;
  kestrel::ui::MainWindow window(jobs, storage, setup);
  window.show();
  if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
    window.OpenFile(QFileInfo(files.constFirst()).absoluteFilePath());
  }
  return QApplication::exec();
}
