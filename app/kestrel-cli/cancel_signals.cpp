#include "cancel_signals.h"

#include <atomic>
#include <csignal>
#include <iostream>

#include "files/temporary_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

namespace kestrel::cli {
namespace {

std::atomic<link::CancelToken*> cancel_requested_by_signal{nullptr};
std::atomic<int> first_signal{0};

static_assert(std::atomic<link::CancelToken*>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);

// True for the first request, which cancels; false when the user insists.
bool RequestCancel(int signal) {
  int none = 0;
  if (!first_signal.compare_exchange_strong(none, signal)) return false;
  if (link::CancelToken* cancel = cancel_requested_by_signal.load()) cancel->Request();
  return true;
}

#ifdef _WIN32

// A console's Ctrl+C and Ctrl+Break arrive here, on a thread of their own, instead of as SIGINT;
// they count as SIGINT, so that the messages and the exit status are those of the other systems.
// Closing the console window ends the program once this returns, whatever it answers: the
// temporary files go first.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
    RemoveTemporaryFiles();
    return FALSE;
  }
  if (RequestCancel(SIGINT)) return TRUE;
  RemoveTemporaryFiles();
  return FALSE;  // the default action: the program ends at once
}

void Install() {
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void Uninstall() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

#else

constexpr int kSignals[] = {SIGINT, SIGTERM};
struct sigaction previous[2];

void OnSignal(int signal) {
  if (RequestCancel(signal)) return;
  // The user insists: end now, as the signal would have without this handler.
  RemoveTemporaryFiles();
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  sigaction(signal, &default_action, nullptr);
  raise(signal);
}

void Install() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a read of standard input ends with EINTR
  for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

void Uninstall() {
  for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &previous[i], nullptr);
}

#endif

}  // namespace

CancelOnSignals::CancelOnSignals(link::CancelToken& cancel) {
  first_signal = 0;
  cancel_requested_by_signal = &cancel;
  Install();
}

CancelOnSignals::~CancelOnSignals() {
  Uninstall();
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
