#pragma once

#include <cstdint>

#include "scene/frame_loop.h"

class Scene;

// The clock of the program's loop, which can also wait: until the X connection has input or the
// next frame is due.
class LoopClock : public PaceClock {
 public:
  // Returns when `fd` has input, `ticks` have passed (no limit when negative), or the program is
  // asked to stop, whichever comes first.
  virtual void WaitForInput(int fd, int64_t ticks) = 0;
  // The CPU time of the whole process, for the software renderer's frame budget; null where the
  // loop's time is not the machine's.
  virtual PaceClock* ProcessCpu() { return nullptr; }
};

// The CPU time of the whole process, every thread of the OpenGL driver included, in nanoseconds.
class ProcessCpuClock final : public PaceClock {
 public:
  int64_t Now() override;
  int64_t TicksPerSecond() const override { return 1'000'000'000; }
};

// Whether the program should end, asked before each pass of the loop with the scene as the
// latest frame left it.
class StopRequest {
 public:
  virtual ~StopRequest() = default;
  virtual bool Requested(const Scene& scene, const LoopProgress& progress) = 0;
};

// The machine's steady clock, waiting with the stop signals let through.
class SystemLoopClock final : public LoopClock {
 public:
  int64_t Now() override { return steady_.Now(); }
  int64_t TicksPerSecond() const override { return steady_.TicksPerSecond(); }
  void WaitForInput(int fd, int64_t ticks) override;
  PaceClock* ProcessCpu() override { return &processCpu_; }

 private:
  SteadyPaceClock steady_;
  ProcessCpuClock processCpu_;
};

// The program ends on SIGTERM or SIGINT.
class SignalStopRequest final : public StopRequest {
 public:
  bool Requested(const Scene& scene, const LoopProgress& progress) override;
};
