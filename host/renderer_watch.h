#pragma once

#include <cstdint>

// Period of the saver window's renderer watch.
inline constexpr int kRendererWatchIntervalMs = 500;

// How long the host waits for the renderer's window to appear before it counts a renderer that
// never showed one as ended. The renderer switches the display mode and builds its textures
// before its window exists: about half a second here, several on a slow machine.
inline constexpr uint64_t kRendererStartGraceMs = 10000;

// What the renderer watch sees at one tick.
struct RendererSighting {
  bool windowFound = false;   // a top-level window titled "Valdorique_VC" exists
  bool processEnded = false;  // the renderer process started by this host has exited
  uint64_t sinceStartMs = 0;  // time since the renderer was started
};

// Decides at each tick of the renderer watch whether the renderer has ended, so that the host
// stops the music and ends too. A window that is gone after it was seen once means ended. Before
// the window has been seen, the renderer counts as still starting until its process has exited
// or the start-up grace has passed; a renderer that could not be started at all ends the watch
// at its first tick.
class RendererWatch {
 public:
  explicit RendererWatch(bool rendererStarted, uint64_t graceMs = kRendererStartGraceMs)
      : started_(rendererStarted), graceMs_(graceMs) {}

  // True once the renderer counts as ended; it stays so.
  bool RendererEnded(const RendererSighting& sighting);

  bool windowSeen() const { return windowSeen_; }

 private:
  bool started_;
  uint64_t graceMs_;
  bool windowSeen_ = false;
  bool ended_ = false;
};
