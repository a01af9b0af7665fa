#pragma once

#include <array>
#include <cstdint>

// The clock the pacer reads: a monotonic count of ticks.
class PaceClock {
 public:
  virtual ~PaceClock() = default;
  virtual int64_t Now() = 0;
  virtual int64_t TicksPerSecond() const = 0;
};

// The machine's steady clock, in nanoseconds.
class SteadyPaceClock final : public PaceClock {
 public:
  int64_t Now() override;
  int64_t TicksPerSecond() const override;
};

// What one frame does: take `steps` whole steps, then draw the scene `fraction` of the way from
// the step before the latest to the latest (0 < fraction <= 1).
struct FramePlan {
  int steps = 0;
  float fraction = 1.0f;
};

// "mirebora: steps N frames M skipped K" and a line end: the steps taken, the frames drawn and
// the steps let go after stalls, since the pacer started.
using PaceLine = std::array<char, 96>;

// Whether the display paces the frames. Where each swap waits for the display's refresh, a frame
// is due as soon as the swap of the one before returns, so that every refresh shows a new picture
// whatever rate the display reports (59.94 Hz is reported as 59 or 60, and a timer at that rate
// would miss a refresh now and then, showing one picture twice). Tried while the platform says
// its swaps may wait; given up for the rest of the run once a second of frames comes oftener
// than kMostOfReportedRate times the reported rate (a driver that does not wait after all, a
// window the compositor does not show): the timer paces frames again from then on.
class SwapPacing {
 public:
  static constexpr double kMostOfReportedRate = 1.2;

  SwapPacing(PaceClock& clock, bool swapsMayWait);
  bool active() const { return active_; }
  // After each frame is shown, with the refresh rate the display reports (1 or less: unknown).
  void FrameShown(int refreshHz);
  // After a pause: the measurement starts again.
  void Resume();

 private:
  PaceClock& clock_;
  bool active_;
  int64_t measuringSince_;
  int64_t framesSince_ = 0;
};

// Paces the scene in wall time: one step every 1/60 s however often frames are drawn, each frame
// drawn between the last two steps, and frames due at the display's refresh rate. A frame drawn
// exactly on a step's time shows that step alone (fraction 1), so one frame per step shows each
// step as it is. After a stall the scene catches up by at most kMaxStepsPerFrame steps and lets
// the rest of the time go.
class FramePacer {
 public:
  static constexpr int kStepsPerSecond = 60;
  // A quarter of a second: the scene keeps its pace down to 4 frames a second (a machine busy
  // with other work); a longer frame is a stall, and steps cost microseconds, so catching up
  // this much never races.
  static constexpr int kMaxStepsPerFrame = 15;
  // The refresh rate assumed when the display reports none.
  static constexpr int kDefaultRefreshHz = 60;

  // The first frame is due at once; it takes the first step.
  explicit FramePacer(PaceClock& clock);

  // Starts a frame now: the steps that have fallen due and the fraction to draw at.
  FramePlan BeginFrame();
  // Ends a frame: the next one is due one refresh period after this one was due, or at once
  // when that time has already passed. A refresh rate of 1 or less means "unknown". A period of
  // `minimumFrameTicks`, when longer than the refresh period, takes its place. `swapPaced`: the
  // swap has just waited for the display's refresh (SwapPacing), so the next frame is due at
  // once, though never sooner than half a refresh period after this one began.
  void EndFrame(int refreshHz, int64_t minimumFrameTicks = 0, bool swapPaced = false);
  // Ticks of the clock until the next frame is due; 0 when it is due.
  int64_t TicksUntilNextFrame();
  // After a pause (the window minimised): the time it lasted is not made up, and the next frame
  // is due at once.
  void Resume();

  // Once a second of the clock, true with the line that reports the counts so far.
  bool TakePaceLine(PaceLine& line);

  int64_t stepsTaken() const { return stepsTaken_; }
  int64_t framesDrawn() const { return framesDrawn_; }
  int64_t stepsSkipped() const { return stepsSkipped_; }

 private:
  PaceClock& clock_;
  const int64_t ticksPerSecond_;
  int64_t lastFrameStart_;
  // How far the latest step lies ahead of the clock, in ticks x kStepsPerSecond (so that a step
  // is exactly ticksPerSecond_ long); negative while steps are due.
  int64_t latestStepAhead_;
  int64_t nextFrameDue_;
  int64_t nextPaceLine_;
  int64_t stepsTaken_ = 0;
  int64_t framesDrawn_ = 0;
  int64_t stepsSkipped_ = 0;
};
