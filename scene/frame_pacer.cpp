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

SwapPacing::SwapPacing(PaceClock& clock, bool swapsMayWait)
    : clock_(clock), active_(swapsMayWait), measuringSince_(clock.Now()) {}

void SwapPacing::FrameShown(int refreshHz) {
  if (!active_) return;
  ++framesSince_;
  const int64_t now = clock_.Now();
  const int64_t elapsed = now - measuringSince_;
  const int64_t perSecond = clock_.TicksPerSecond();
  if (elapsed < perSecond) return;
  const double hz = refreshHz > 1 ? refreshHz : FramePacer::kDefaultRefreshHz;
  const double rate = static_cast<double>(framesSince_) * static_cast<double>(perSecond) /
                      static_cast<double>(elapsed);
  if (rate > kMostOfReportedRate * hz) active_ = false;
  Resume();
}

void SwapPacing::Resume() {
  measuringSince_ = clock_.Now();
  framesSince_ = 0;
}

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

void FramePacer::EndFrame(int refreshHz, int64_t minimumFrameTicks, bool swapPaced) {
  const int64_t hz = refreshHz > 1 ? refreshHz : kDefaultRefreshHz;
  const int64_t now = clock_.Now();
  if (swapPaced) {
    nextFrameDue_ = std::max(now, lastFrameStart_ + ticksPerSecond_ / hz / 2);
    return;
  }
  nextFrameDue_ += std::max(ticksPerSecond_ / hz, minimumFrameTicks);
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
