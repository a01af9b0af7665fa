// scene-snapshot --frame N --width W --height H --captures DIR OUT.ppm: draws frame N (N >= 1)
// of the scene offscreen with Mesa, the textures read from the four capture files in DIR, and
// writes the picture as a binary PPM, top row first. The frames before N are stepped without
// drawing: the simulation is the same either way.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "scene/capture_directory.h"
#include "scene/projection.h"
#include "scene/scene.h"
#include "scene/testing/offscreen_gl_test_context.h"
#include "tools/mesa_leak_suppressions.h"

namespace {

constexpr long kLargestSide = 8192;

struct Options {
  long frame = 0;
  long width = 0;
  long height = 0;
  std::string captures;
  std::string output;
};

std::optional<long> ParseNumber(const char* text, long minimum, long maximum) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || value < minimum || value > maximum) {
    return std::nullopt;
  }
  return value;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  bool haveFrame = false, haveWidth = false, haveHeight = false, haveCaptures = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    std::optional<long> number;
    if (argument == "--frame" && hasValue) {
      number = ParseNumber(argv[++i], 1, 1L << 30);
      options.frame = number.value_or(0);
      haveFrame = true;
    } else if (argument == "--width" && hasValue) {
      number = ParseNumber(argv[++i], 1, kLargestSide);
      options.width = number.value_or(0);
      haveWidth = true;
    } else if (argument == "--height" && hasValue) {
      number = ParseNumber(argv[++i], 1, kLargestSide);
      options.height = number.value_or(0);
      haveHeight = true;
    } else if (argument == "--captures" && hasValue) {
      options.captures = argv[++i];
      haveCaptures = true;
      continue;
    } else if (options.output.empty() && argument.rfind("--", 0) != 0) {
      options.output = argument;
      continue;
    } else {
      return std::nullopt;
    }
    if (!number) {
      return std::nullopt;
    }
  }
  if (!haveFrame || !haveWidth || !haveHeight || !haveCaptures || options.output.empty()) {
    return std::nullopt;
  }
  return options;
}

// The colour buffer as RGB rows, top row first.
std::vector<unsigned char> ReadPicture(int width, int height) {
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  std::vector<unsigned char> bottomUp(rowBytes * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<unsigned char> topDown(bottomUp.size());
  for (int row = 0; row < height; ++row) {
    std::memcpy(&topDown[row * rowBytes], &bottomUp[(height - 1 - row) * rowBytes], rowBytes);
  }
  return topDown;
}

bool WritePpm(const std::string& path, int width, int height,
              const std::vector<unsigned char>& rgb) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  std::fprintf(file, "P6\n%d %d\n255\n", width, height);
  const bool written = std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: scene-snapshot --frame N --width W --height H --captures DIR OUT.ppm\n"
                 "  N >= 1; W and H from 1 to %ld\n",
                 kLargestSide);
    return 2;
  }
  const int width = static_cast<int>(options->width);
  const int height = static_cast<int>(options->height);

  OffscreenGlTestContext gl(width, height);
  if (!gl.current()) {
    std::fprintf(stderr, "scene-snapshot: no offscreen Mesa context\n");
    return 1;
  }
  SetProjection(width, height);
  CaptureDirectoryLoader loader(options->captures);
  Scene scene(loader);
  const bool initialised = scene.InitScene();
  for (const std::string& problem : loader.problems()) {
    std::fprintf(stderr, "scene-snapshot: %s\n", problem.c_str());
  }
  if (!initialised) {
    std::fprintf(stderr, "scene-snapshot: no capture file could be loaded from %s\n",
                 options->captures.c_str());
    return 1;
  }

  scene.Advance(static_cast<int>(options->frame));
  scene.RenderFrame(1.0f);
  glFinish();

  if (!WritePpm(options->output, width, height, ReadPicture(width, height))) {
    std::fprintf(stderr, "scene-snapshot: cannot write %s\n", options->output.c_str());
    return 1;
  }
  return 0;
}
