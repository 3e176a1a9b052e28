#include "ui/transfer_job.h"

namespace kestrel::ui {

void TransferProgress::SetRange(int minimum, int maximum) {
  emit RangeChanged(minimum, maximum);
}

void TransferProgress::SetValue(int value) {
  emit ValueChanged(value);
}

void TransferProgress::SetStateText(const QString& text) {
  emit StateTextChanged(text);
}

void TransferProgress::SetTimeLeft(qint64 ms) {
  emit TimeLeftChanged(ms);
}

void TransferProgress::SetWaiting(bool waiting) {
  emit WaitingChanged(waiting);
}

}  // namespace kestrel::ui
