#include "linux/x11/loop_seams.h"

#include "linux/x11/stop_signals.h"

// The steady clock counts nanoseconds, the unit the wait takes.
void SystemLoopClock::WaitForInput(int fd, int64_t ticks) { WaitForInputOrSignal(fd, ticks); }

bool SignalStopRequest::Requested(const Scene&, const LoopProgress&) {
  return StopSignalReceived();
}
