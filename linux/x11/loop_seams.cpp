#include "linux/x11/loop_seams.h"

#include <time.h>

#include "linux/x11/stop_signals.h"

int64_t ProcessCpuClock::Now() {
  timespec now{};
  if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now) != 0) {
    return 0;
  }
  return static_cast<int64_t>(now.tv_sec) * TicksPerSecond() + now.tv_nsec;
}

// The steady clock counts nanoseconds, the unit the wait takes.
void SystemLoopClock::WaitForInput(int fd, int64_t ticks) { WaitForInputOrSignal(fd, ticks); }

bool SignalStopRequest::Requested(const Scene&, const LoopProgress&) {
  return StopSignalReceived();
}
