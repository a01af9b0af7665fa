#pragma once

#include <array>
#include <cstdint>

// The two lines of XScreenSaver's frame-rate overlay that this program shows: frames a second
// and the load, the share of the time spent on frames rather than waiting for the next.
struct FpsText {
  std::array<char, 32> fps{};   // "FPS:   59.9"
  std::array<char, 32> load{};  // "Load:  12.3%"
};

// Counts frames and busy time, and writes new figures once a second of the clock.
class FpsMeter {
 public:
  FpsMeter(int64_t start, int64_t ticksPerSecond);

  // A frame that kept the program busy for `busyTicks` has ended at `now`. True when the text
  // was written anew.
  bool FrameDone(int64_t now, int64_t busyTicks);

  const FpsText& text() const { return text_; }

 private:
  int64_t ticksPerSecond_;
  int64_t periodStart_;
  int64_t frames_ = 0;
  int64_t busyTicks_ = 0;
  FpsText text_;
};

// Draws the text in white over a black shadow in the bottom-left corner of a `width` x `height`
// viewport, with a built-in pixel font scaled to the window's height. Leaves every GL state as it
// found it.
void DrawFpsOverlay(const FpsText& text, int width, int height);
