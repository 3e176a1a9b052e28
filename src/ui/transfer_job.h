// A transfer with the receiver as the window runs it: a job that runs on a worker thread, reports
// its progress through a TransferProgress, and ends with a TransferOutcome. The job works on
// copies of the record and the image, never on widgets; the dialog that started it shows the
// progress (delivered by queued signals) and the outcome.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "image/known_image.h"
#include "image/memory_image.h"
#include "link/cancel.h"
#include "link/link_result.h"
#include "link/port_choice.h"
#include "model/radio_config.h"

namespace kestrel::ui {

// Result of one read or program run: success, or the link's failure with its code (1 to 5, or
// kCancelled with the state the transfer left) and what the link found out. A successful read
// brings the new record; both kinds bring the image as the job left it, so the window keeps the
// bytes the receiver sent.
struct TransferOutcome {
  link::LinkStatus status;
  std::optional<RadioConfig> record;
  std::optional<MemoryImage> image;
  // After a write job: what the receiver is known to hold, also when the write stopped part
  // way, and how many of the write commands it was to send it acknowledged.
  std::optional<KnownImage> known{};
  std::size_t written = 0;
  std::size_t to_write = 0;
  // After a write that read the receiver first: what it held before the write, to be kept.
  std::optional<RadioConfig> read_before{};
  std::optional<MemoryImage> image_before{};
};

// A write into the receiver the window knows: from what it is known to hold (nothing, for
// another receiver), the full program sequence or, with `changes_only`, only what it does not
// hold.
struct WriteRequest {
  KnownImage known{};
  bool changes_only = false;
  bool verify = false;
  std::string known_from{};  // "read at 14:02 on ttyUSB0", for the messages
  // A full write that first reads what the receiver holds, so that it can be kept: when the
  // read fails, nothing is written.
  bool read_first = false;
};

// Progress of a running job. The job calls these from its worker thread; the signals reach the
// dialog queued, on the window's thread. The dialog's cancel request goes the other way: the job
// hands it to its link, which looks at it before every command.
class TransferProgress : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The bar runs from `minimum` to `maximum`; the value goes back to `minimum`.
  void SetRange(int minimum, int maximum);
  void SetValue(int value);
  // The text above the bar ("Writing data.").
  void SetStateText(const QString& text);
  // What the rest of the job takes, after every command and while a reply is awaited.
  void SetTimeLeft(qint64 ms);
  // Whether a reply is more than 2 s later than the line's model expects.
  void SetWaiting(bool waiting);

  link::CancelToken& Cancel() { return cancel_; }
  const link::CancelToken& Cancel() const { return cancel_; }

 signals:
  void RangeChanged(int minimum, int maximum);
  void ValueChanged(int value);
  void StateTextChanged(const QString& text);
  void TimeLeftChanged(qint64 ms);
  void WaitingChanged(bool waiting);

 private:
  link::CancelToken cancel_;
};

using TransferJob = std::function<TransferOutcome(TransferProgress&)>;

// Where the window gets its jobs: the real read and program sequences, or fakes in tests.
class RadioJobs {
 public:
  virtual ~RadioJobs() = default;
  virtual TransferJob ReadJob(const link::PortChoice& port, const RadioConfig& current,
                              const MemoryImage& image) = 0;
  virtual TransferJob ProgramJob(const link::PortChoice& port, const RadioConfig& record,
                                 const MemoryImage& image, bool verify) = 0;
  // A write whose outcome brings what the receiver is known to hold afterwards.
  virtual TransferJob WriteJob(const link::PortChoice& port, const RadioConfig& record,
                               const MemoryImage& image, const WriteRequest& request) = 0;
};

}  // namespace kestrel::ui
