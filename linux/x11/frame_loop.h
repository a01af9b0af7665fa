#pragma once

#include <cstdint>

#include "linux/x11/loop_seams.h"
#include "linux/x11/saver_window.h"

class Scene;

// Draws the scene into the window until a stop is requested or the window is gone: 60 steps a
// second of the clock however often frames are drawn, each frame drawn between the last two
// steps, and frames due at the display's refresh rate; a renderer that draws in software keeps
// its frames within a CPU budget (FrameBudget) when the clock knows the process's CPU time. While
// the window is unmapped it waits for events only, and the time it stood still is not made up. With
// `showFps` each frame carries the frame-rate overlay. Returns how far it came.
LoopProgress RunFrameLoop(SaverWindow& window, Scene& scene, LoopClock& clock, StopRequest& stop,
                          bool showFps);
