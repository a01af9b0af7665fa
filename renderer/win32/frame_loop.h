#pragma once

#include "renderer/win32/renderer_window.h"

class Scene;

// The renderer's loop: waiting messages first, then a frame whenever one is due, the scene
// paced in wall time. It waits without spinning: for a message or the next frame while the
// window shows, for messages alone while it is minimised. A renderer that draws in software
// keeps its frames within a CPU budget (FrameBudget). Runs until WM_QUIT, Escape or a failed
// frame; returns the exit code WM_QUIT carried, 0 otherwise.
int RunFrameLoop(RendererWindow& renderer, Scene& scene);
