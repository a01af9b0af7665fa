#pragma once

#include <cstdint>
#include <string>

#include "scene/frame_pacer.h"

// How far the loop has come: the steps taken and the frames drawn since it started.
struct LoopProgress {
  int64_t steps = 0;
  int64_t frames = 0;
};

// What the loop moves and draws: the scene, or a stand-in in tests.
class FrameScene {
 public:
  virtual ~FrameScene() = default;
  // Takes `steps` whole steps (0: the frame falls between the same two steps as the last one).
  virtual void Advance(int steps) = 0;
  // Draws the scene `fraction` of the way from the step before the latest to the latest into
  // the back buffer (0 < fraction <= 1).
  virtual void RenderFrame(float fraction) = 0;
  // The drawable is `width` x `height` pixels now.
  virtual void Resize(int width, int height) = 0;
};

// What differs between the platforms the loop runs on: their input, waits, swap and clocks.
// Each shell fills it in for its own window system; the loop itself is the same everywhere.
class FramePlatform {
 public:
  virtual ~FramePlatform() = default;
  // Handles every input that is waiting. False when the loop is to end: the window was closed or
  // is gone, Escape was pressed, the program was asked to stop. `sofar` is how far the loop has
  // come, for a stop that depends on it.
  virtual bool PumpInput(const LoopProgress& sofar) = 0;
  // False while the window cannot be seen (minimised, unmapped): nothing is drawn or stepped.
  virtual bool Visible() const = 0;
  // True once after the drawable changed its size, with the new size.
  virtual bool TakeNewSize(int& width, int& height) = 0;
  // Returns when input arrives or `ticks` of the wall clock have passed, whichever comes first;
  // kNoTimeLimit waits for input alone.
  virtual void WaitForInput(int64_t ticks) = 0;
  // The frame is in the back buffer: shows it. Drawing it began at `drawingSince` on the wall
  // clock.
  virtual void ShowFrame(int64_t drawingSince) = 0;
  // The display's refresh rate in frames a second; 0 or 1 when it reports none.
  virtual int RefreshHz() = 0;
  // True when ShowFrame's swap may wait for the display's refresh (the driver took a swap
  // interval): the loop then lets the swaps pace the frames while they do (SwapPacing).
  virtual bool SwapsMayWaitForDisplay() { return false; }
  virtual PaceClock& WallClock() = 0;
  // The CPU time of the whole process, for the frame budget; null where none is known.
  virtual PaceClock* ProcessCpuClock() = 0;
  // A line of text for whoever watches the program (a debugger, the standard error).
  virtual void Report(const char* line) = 0;
  // The loop paces frames from now on (true), or stands still (false): a platform that makes its
  // timer finer for the pacing holds that only while it paces. True before the first frame and
  // after each pause, false at each pause and when the loop ends.
  virtual void PacingChanged(bool /*pacing*/) {}

  static constexpr int64_t kNoTimeLimit = -1;
};

struct FrameLoopOptions {
  // The OpenGL renderer's name (GL_RENDERER), which tells whether frames are drawn in software.
  std::string glRenderer;
  // Whether the pace line goes to Report once a second.
  bool reportPace = true;
};

// The program's loop: waiting input first, then a frame whenever one is due. The scene moves 60
// steps a second of wall time however often frames are drawn, and each frame is drawn between
// the last two steps (FramePacer); frames are due at the display's refresh rate, and a renderer
// that draws in software keeps them within a CPU budget (FrameBudget), which is announced once
// at the start. It waits without spinning: for input or the next frame while the window can be
// seen, for input alone while it cannot (nothing is paced then), and the time it stood still is
// not made up. Once a
// second it reports its pace ("mirebora: steps N frames M skipped K"). Runs until PumpInput
// says to end; returns how far it came.
LoopProgress RunFrameLoop(FramePlatform& platform, FrameScene& scene,
                          const FrameLoopOptions& options);
