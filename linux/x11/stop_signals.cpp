#include "linux/x11/stop_signals.h"

#include <poll.h>

#include <csignal>
#include <ctime>

namespace {

constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;

volatile sig_atomic_t stopSignal = 0;
sigset_t startMask;  // the mask the program started with, stop signals as they were
sigset_t waitMask;   // the working mask with the stop signals let through

void OnStopSignal(int) { stopSignal = 1; }

}  // namespace

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);

  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  sigprocmask(SIG_BLOCK, &stopSignals, &startMask);
  waitMask = startMask;
  sigdelset(&waitMask, SIGTERM);
  sigdelset(&waitMask, SIGINT);
}

bool StopSignalReceived() { return stopSignal != 0; }

void WaitForInputOrSignal(int fd, int64_t nanoseconds) {
  pollfd input{fd, POLLIN, 0};
  timespec timeout{};
  if (nanoseconds >= 0) {
    timeout.tv_sec = static_cast<time_t>(nanoseconds / kNanosecondsPerSecond);
    timeout.tv_nsec = static_cast<long>(nanoseconds % kNanosecondsPerSecond);
  }
  ppoll(&input, fd >= 0 ? 1 : 0, nanoseconds >= 0 ? &timeout : nullptr, &waitMask);
}

void RestoreSignalsForChild() {
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
  sigprocmask(SIG_SETMASK, &startMask, nullptr);
}
