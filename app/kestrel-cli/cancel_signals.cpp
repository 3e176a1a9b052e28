#include "cancel_signals.h"

#include <signal.h>

#include <atomic>
#include <iostream>

#include "files/temporary_files.h"

namespace kestrel::cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM};

std::atomic<link::CancelToken*> cancel_requested_by_signal{nullptr};
std::atomic<int> first_signal{0};
struct sigaction previous[2];

static_assert(std::atomic<link::CancelToken*>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);

void OnSignal(int signal) {
  int none = 0;
  if (first_signal.compare_exchange_strong(none, signal)) {
    if (link::CancelToken* cancel = cancel_requested_by_signal.load()) cancel->Request();
    return;
  }
  // The user insists: end now, as the signal would have without this handler.
  RemoveTemporaryFiles();
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  sigaction(signal, &default_action, nullptr);
  raise(signal);
}

}  // namespace

CancelOnSignals::CancelOnSignals(link::CancelToken& cancel) {
  first_signal = 0;
  cancel_requested_by_signal = &cancel;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a read of standard input ends with EINTR
  for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

CancelOnSignals::~CancelOnSignals() {
  for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &previous[i], nullptr);
  cancel_requested_by_signal = nullptr;
}

int CancelOnSignals::Signal() const {
  return first_signal.load();
}

int ReportInterrupted(int signal, const std::string& what) {
  std::cerr << "kestrel-cli: interrupted (" << (signal == SIGINT ? "SIGINT" : "SIGTERM") << "). "
            << what << "\n";
  return 128 + signal;
}

}  // namespace kestrel::cli
