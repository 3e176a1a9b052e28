// Test doubles for the window: a Feedback that records what the user would hear and see and
// answers questions and file dialogs from a script, fake radio jobs, and a storage in memory.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <latch>
#include <map>

#include "ui/document.h"
#include "ui/document_storage.h"
#include "ui/feedback.h"
#include "ui/main_window.h"
#include "ui/memory_page.h"
#include "ui/transfer_dialog.h"
#include "ui/transfer_job.h"

namespace kestrel::ui::testing {

inline QColor ThemeTextColor() {
  return QApplication::palette().color(QPalette::Text);
}

class RecordingFeedback : public Feedback {
 public:
  RecordingFeedback() { SetFeedback(this); }
  ~RecordingFeedback() override { SetFeedback(nullptr); }

  void Beep() override { ++beeps; }
  void ShowStatus(QWidget*, const QString& text) override { statuses << text; }
  void Information(QWidget*, const QString& title, const QString& text) override {
    informations << title + "|" + text;
  }
  void Warning(QWidget*, const QString& title, const QString& text) override {
    warnings << title + "|" + text;
  }
  QMessageBox::StandardButton Question(QWidget*, const QString&, const QString& text,
                                       QMessageBox::StandardButtons,
                                       QMessageBox::StandardButton) override {
    questions << text;
    return Take(answers, QMessageBox::Cancel);
  }
  void Ask(QWidget*, const QString&, const QString& text, QMessageBox::StandardButtons,
           QMessageBox::StandardButton,
           std::function<void(QMessageBox::StandardButton)> answered) override {
    questions << text;
    answered(Take(answers, QMessageBox::Cancel));
  }
  void Choose(QWidget*, const QString&, const QString& text, const QStringList& captions,
              std::function<void(int)> answered) override {
    questions << text;
    // Choices name a button as it reads, without its mnemonic.
    QStringList shown = captions;
    shown.replaceInStrings("&", "");
    const auto chosen = shown.indexOf(Take(choices, shown.last()));
    answered(chosen < 0 ? static_cast<int>(captions.size()) - 1 : static_cast<int>(chosen));
  }
  void Notify(QWidget*, const QString& title, const QString& text) override {
    warnings << title + "|" + text;
  }
  void TransferFailed(QWidget*, const QString& title, const QString& text,
                      std::function<void(bool)> answered) override {
    warnings << title + "|" + text;
    answered(Take(retries, false));
  }
  QString OpenFileName(QWidget*, const QString& title, const QString& folder, const QString& filter,
                       const QString& suffix) override {
    file_dialogs << "open|" + title + "|" + folder + "|" + filter + "|" + suffix;
    return Take(file_names, QString());
  }
  QString SaveFileName(QWidget*, const QString& title, const QString& folder, const QString& filter,
                       const QString& suffix, QString* chosen_filter) override {
    file_dialogs << "save|" + title + "|" + folder + "|" + filter + "|" + suffix;
    if (chosen_filter) *chosen_filter = Take(chosen_filters, filter.section(";;", 0, 0));
    return Take(file_names, QString());
  }

  int beeps = 0;
  QStringList informations;
  QStringList warnings;
  QStringList statuses;  // status bar lines, refusals among them
  QStringList questions;
  QStringList file_dialogs;
  std::deque<QMessageBox::StandardButton> answers;  // none left: Cancel
  std::deque<QString> choices;                      // captions; none left: the last one
  std::deque<QString> file_names;                   // none left, or "": cancelled
  std::deque<QString> chosen_filters;               // none left: the first of the save dialog
  std::deque<bool> retries;                         // a failed transfer's Retry; none left: OK

 private:
  template <typename T>
  static T Take(std::deque<T>& script, T otherwise) {
    if (script.empty()) return otherwise;
    T next = script.front();
    script.pop_front();
    return next;
  }
};

// Files kept in memory; saving to a path listed in `failing` fails with "disk full", loading one
// listed in `damaged` fails as a damaged file.
class MemoryStorage : public DocumentStorage {
 public:
  std::expected<RadioConfig, LoadFailure> Load(const QString& path, const RadioConfig&) override {
    if (damaged.contains(path)) return std::unexpected(LoadFailure{true, damaged.at(path)});
    if (!files.contains(path))
      return std::unexpected(LoadFailure{false, "cannot be read: no such file"});
    return files.at(path);
  }
  std::expected<void, QString> Save(const QString& path, const RadioConfig& record) override {
    if (failing.contains(path)) return std::unexpected(QStringLiteral("disk full"));
    files[path] = record;
    return {};
  }
  std::map<QString, RadioConfig> files;
  std::map<QString, QString> damaged;  // path: why
  QStringList failing;
};

// Radio jobs that answer with prepared outcomes and remember what they were asked. A job whose
// cancel was requested by the time it ends answers kCancelled with `cancelled_detail`.
class FakeRadioJobs : public RadioJobs {
 public:
  TransferJob ReadJob(const link::PortChoice& port, const RadioConfig&,
                      const MemoryImage&) override {
    ports << QString::fromStdString(port.Text());
    return Job(read_outcome);
  }
  TransferJob ProgramJob(const link::PortChoice& port, const RadioConfig& record,
                         const MemoryImage&, bool verify) override {
    const QString text = QString::fromStdString(port.Text());
    ports << text;
    programmed.push_back(record);
    verified.push_back(verify);
    return Job(port_outcomes.contains(text) ? port_outcomes.at(text) : program_outcome);
  }

  TransferJob WriteJob(const link::PortChoice& port, const RadioConfig& record,
                       const MemoryImage& image, const WriteRequest& request) override {
    requests.push_back(request);
    return ProgramJob(port, record, image, request.verify);
  }

  TransferOutcome read_outcome;
  TransferOutcome program_outcome;
  std::map<QString, TransferOutcome> port_outcomes;  // a program job's outcome by port ("sim2")
  std::string cancelled_detail = "cancelled";
  std::latch* gate = nullptr;  // when set, every job waits for it after reporting progress
  bool late_reply = false;     // every job says that it waits for a late reply
  QStringList ports;
  std::vector<RadioConfig> programmed;
  std::vector<bool> verified;
  std::vector<WriteRequest> requests;  // of the write jobs, which also count as program jobs

 private:
  TransferJob Job(TransferOutcome outcome) {
    return [outcome, gate = gate, late = late_reply,
            cancelled = cancelled_detail](TransferProgress& progress) {
      progress.SetRange(0, 32);
      progress.SetValue(16);
      progress.SetTimeLeft(43000);
      if (late) progress.SetWaiting(true);
      if (gate) gate->wait();
      if (progress.Cancel().Requested()) {
        return TransferOutcome{link::Failed(link::LinkResult::kCancelled, cancelled), {}, {}};
      }
      progress.SetValue(32);
      return outcome;
    };
  }
};

// The outcomes of a failed handshake (2) and a refused frequency (4), as the link reports them.
inline TransferOutcome Failure(int code) {
  TransferOutcome outcome;
  outcome.status =
      link::Failed(static_cast<link::LinkResult>(code),
                   code == 2 ? "no answer to the handshake" : "channel 001: 255.00000 MHz");
  return outcome;
}

// A Memory page on a document of its own, with what the user would hear and see recorded.
struct MemoryPageTest : ::testing::Test {
  RecordingFeedback feedback;
  Document document;
  MemoryPage page{document};
};

// The child of `parent` of type T whose caption reads `text`, mnemonic included; nullptr if none.
template <typename T>
T* Captioned(const QObject* parent, const QString& text) {
  for (T* child : parent->findChildren<T*>()) {
    if (child->text() == text) return child;
  }
  return nullptr;
}

// Presses OK in `dialog` and waits for its job to end; nullptr when there is no dialog or the
// job never ends.
inline TransferDialog* RunTransfer(TransferDialog* dialog) {
  if (!dialog) return nullptr;
  QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
  return QTest::qWaitFor([&] { return !dialog->IsBusy(); }, 5000) ? dialog : nullptr;
}

// A main window on a folder of its own, on fake radio jobs and files in memory, with what the
// user would hear and see recorded. `setup` is what the next MakeWindow opens with.
struct WindowTest : ::testing::Test {
  WindowTest() { window = MakeWindow(); }
  std::unique_ptr<MainWindow> MakeWindow(bool simulate = false) {
    MainWindowSetup run = setup;
    run.simulate = simulate;
    auto made = std::make_unique<MainWindow>(jobs, storage, run);
    made->show();
    return made;
  }
  TransferDialog* RunTransfer() { return testing::RunTransfer(window->OpenTransferDialog()); }

  QTemporaryDir folder;
  RecordingFeedback feedback;
  FakeRadioJobs jobs;
  MemoryStorage storage;
  MainWindowSetup setup{folder.filePath("Heron.ini"), folder.path(), false,
                        folder.filePath("window.ini"), QString()};
  std::unique_ptr<MainWindow> window;
};

}  // namespace kestrel::ui::testing
