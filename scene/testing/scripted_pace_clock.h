#pragma once

#include <cstdint>

#include "scene/frame_pacer.h"

// For tests: a clock that stands still until the test moves it.
class ScriptedClock final : public PaceClock {
 public:
  explicit ScriptedClock(int64_t ticksPerSecond) : ticksPerSecond_(ticksPerSecond) {}
  int64_t Now() override { return now_; }
  int64_t TicksPerSecond() const override { return ticksPerSecond_; }

  int64_t now_ = 1'234'567;  // any start

 private:
  int64_t ticksPerSecond_;
};
