#pragma once

#include <cstdint>

// SIGTERM and SIGINT, with which XScreenSaver and a terminal end a hack, end the program
// cleanly. They are blocked while the program works and let through only while it waits, where
// they set a flag and cut the wait short: no frame is ever interrupted, and a signal that comes
// while a frame is drawn ends the very next wait.
void CatchStopSignals();
bool StopSignalReceived();

// Waits until file descriptor `fd` has input (none when fd < 0), `nanoseconds` have passed
// (no limit when negative), or a stop signal arrives.
void WaitForInputOrSignal(int fd, int64_t nanoseconds);

// For a child process before it runs another program: the signal mask and handlers the program
// started with, so that the child can be ended by SIGTERM.
void RestoreSignalsForChild();
