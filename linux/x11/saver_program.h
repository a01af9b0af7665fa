#pragma once

#include "linux/saver_options.h"
#include "linux/x11/loop_seams.h"

// The whole program after its command line: opens the window and its OpenGL context, finds the
// head (monitor) it is on, grabs the desktop (unless told not to), builds the scene from the
// built-in pictures and the ground, with the seed of the head's place (SceneSeedForPlace),
// draws it until a stop is requested or the window goes, and releases everything. Problems go to
// the standard error. The exit code: 0 after a clean end, 1 when the program could not start.
int RunSaver(const SaverOptions& options, LoopClock& clock, StopRequest& stop);
