#include "host/renderer_watch.h"

bool RendererWatch::RendererEnded(const RendererSighting& sighting) {
  if (ended_) return true;
  if (sighting.windowFound) {
    windowSeen_ = true;
    return false;
  }
  ended_ = !started_ || windowSeen_ || sighting.processEnded || sighting.sinceStartMs >= graceMs_;
  return ended_;
}
