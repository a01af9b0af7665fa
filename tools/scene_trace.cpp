// scene-trace F1 F2 ...: steps the scene from its reset, without OpenGL or capture files, and
// prints the whole simulation state after each requested number of frames (ascending; 0 is the
// state right after the reset). Floats are printed with %.9g, which gives every float back
// exactly.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

#include "scene/no_capture_files.h"
#include "scene/scene.h"
#include "tools/scene_trace_format.h"

namespace {

std::optional<long> ParseFrame(const char* text) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || value < 0) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long> frames;
  for (int i = 1; i < argc; ++i) {
    const std::optional<long> frame = ParseFrame(argv[i]);
    if (!frame || (!frames.empty() && *frame < frames.back())) {
      std::fprintf(stderr, "usage: scene-trace F1 F2 ...  (frame numbers >= 0, ascending)\n");
      return 2;
    }
    frames.push_back(*frame);
  }

  NoCaptureFiles loader;
  Scene scene(loader);
  scene.ResetScene();
  long stepped = 0;
  for (const long frame : frames) {
    // Whole steps, in pieces an int holds.
    while (stepped < frame) {
      const long steps = std::min(frame - stepped, long{std::numeric_limits<int>::max()});
      scene.Advance(static_cast<int>(steps));
      stepped += steps;
    }
    PrintSceneState(stdout, scene, frame);
  }
  return 0;
}
