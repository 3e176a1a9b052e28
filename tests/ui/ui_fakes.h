// Test doubles for the window: a Feedback that records what the user would hear and see and
// answers questions and file dialogs from a script, fake radio jobs, and a storage in memory.
#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

#include "ui/document_storage.h"
#include "ui/feedback.h"
#include "ui/transfer_job.h"

namespace kestrel::ui::testing {

class RecordingFeedback : public Feedback {
 public:
  RecordingFeedback() { SetFeedback(this); }
  ~RecordingFeedback() override { SetFeedback(nullptr); }

  void Beep() override { ++beeps; }
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
    if (answers.empty()) return QMessageBox::Cancel;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  QString OpenFileName(QWidget*, const QString& title, const QString& folder, const QString& filter,
                       const QString& suffix) override {
    file_dialogs << "open|" + title + "|" + folder + "|" + filter + "|" + suffix;
    return TakeFileName();
  }
  QString SaveFileName(QWidget*, const QString& title, const QString& folder, const QString& filter,
                       const QString& suffix) override {
    file_dialogs << "save|" + title + "|" + folder + "|" + filter + "|" + suffix;
    return TakeFileName();
  }

  int beeps = 0;
  QStringList informations;
  QStringList warnings;
  QStringList questions;
  QStringList file_dialogs;
  std::deque<QMessageBox::StandardButton> answers;
  std::deque<QString> file_names;  // "" cancels

 private:
  QString TakeFileName() {
    if (file_names.empty()) return {};
    QString name = file_names.front();
    file_names.pop_front();
    return name;
  }
};

// Files kept in memory; a path listed in `failing` fails with `failure`.
class MemoryStorage : public DocumentStorage {
 public:
  std::expected<RadioConfig, QString> Load(const QString& path, const RadioConfig&) override {
    if (!files.contains(path)) return std::unexpected(QStringLiteral("line 1: no such file"));
    return files.at(path);
  }
  std::expected<void, QString> Save(const QString& path, const RadioConfig& record) override {
    if (failing.contains(path)) return std::unexpected(failure);
    files[path] = record;
    return {};
  }
  std::map<QString, RadioConfig> files;
  QStringList failing;
  QString failure = QStringLiteral("disk full");
};

// A job that can be held back until the test releases it.
class Gate {
 public:
  void Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return open_; });
  }
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

// Radio jobs that answer with prepared outcomes and remember what they were asked.
class FakeRadioJobs : public RadioJobs {
 public:
  TransferJob ReadJob(const QString& port, const RadioConfig&, const MemoryImage&) override {
    ports << port;
    return Job(read_outcome);
  }
  TransferJob ProgramJob(const QString& port, const RadioConfig& record, const MemoryImage&,
                         bool verify) override {
    ports << port;
    programmed.push_back(record);
    verified.push_back(verify);
    return Job(program_outcome);
  }

  TransferOutcome read_outcome;
  TransferOutcome program_outcome;
  Gate* gate = nullptr;  // when set, every job waits for it after reporting progress
  QStringList ports;
  std::vector<RadioConfig> programmed;
  std::vector<bool> verified;

 private:
  TransferJob Job(TransferOutcome outcome) {
    return [outcome, gate = gate](TransferProgress& progress) {
      progress.SetRange(0, 32);
      progress.SetValue(16);
      if (gate) gate->Wait();
      progress.SetValue(32);
      return outcome;
    };
  }
};

TransferOutcome Failure(int code);

}  // namespace kestrel::ui::testing
