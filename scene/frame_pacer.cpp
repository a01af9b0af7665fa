#include "scene/frame_pacer.h"

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>

int64_t SteadyPaceClock::Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int64_t SteadyPaceClock::TicksPerSecond() const { return 1'000'000'000; }

FramePacer::FramePacer(PaceClock& clock)
    : clock_(clock),
      ticksPerSecond_(clock.TicksPerSecond()),
      lastFrameStart_(clock.Now()),
      latestStepAhead_(-ticksPerSecond_),
      nextFrameDue_(lastFrameStart_),
      nextPaceLine_(lastFrameStart_ + ticksPerSecond_) {}

FramePlan FramePacer::BeginFrame() {
  const int64_t now = clock_.Now();
  latestStepAhead_ -= (now - lastFrameStart_) * kStepsPerSecond;
  lastFrameStart_ = now;

  FramePlan plan;
  while (latestStepAhead_ < 0 && plan.steps < kMaxStepsPerFrame) {
    ++plan.steps;
    latestStepAhead_ += ticksPerSecond_;
  }
  if (latestStepAhead_ < 0) {
    // The time beyond the catch-up limit is let go, and with it the steps that were due.
    stepsSkipped_ += (-latestStepAhead_ + ticksPerSecond_ - 1) / ticksPerSecond_;
    latestStepAhead_ = 0;
  }
  // A frame less than one tick of the clock before a step's time shows that step as it is: the
  // clock cannot tell the two times apart.
  plan.fraction = latestStepAhead_ < kStepsPerSecond
                      ? 1.0f
                      : static_cast<float>(1.0 - static_cast<double>(latestStepAhead_) /
                                                     static_cast<double>(ticksPerSecond_));
  stepsTaken_ += plan.steps;
  ++framesDrawn_;
  return plan;
}

void FramePacer::EndFrame(int refreshHz, int64_t minimumFrameTicks) {
  const int64_t hz = refreshHz > 1 ? refreshHz : kDefaultRefreshHz;
  nextFrameDue_ += std::max(ticksPerSecond_ / hz, minimumFrameTicks);
  const int64_t now = clock_.Now();
  if (nextFrameDue_ < now) {
    nextFrameDue_ = now;  // late: the next frame goes at once, and the beat starts from here
  }
}

int64_t FramePacer::TicksUntilNextFrame() {
  const int64_t remaining = nextFrameDue_ - clock_.Now();
  return remaining > 0 ? remaining : 0;
}

void FramePacer::Resume() {
  lastFrameStart_ = clock_.Now();
  nextFrameDue_ = lastFrameStart_;
}

bool FramePacer::TakePaceLine(PaceLine& line) {
  const int64_t now = clock_.Now();
  if (now < nextPaceLine_) {
    return false;
  }
  nextPaceLine_ += ticksPerSecond_;
  if (nextPaceLine_ <= now) {
    nextPaceLine_ = now + ticksPerSecond_;  // after a pause: one line, not one for each second
  }
  std::snprintf(line.data(), line.size(),
                "mirebora: steps %" PRId64 " frames %" PRId64 " skipped %" PRId64 "\n", stepsTaken_,
                framesDrawn_, stepsSkipped_);
  return true;
}
