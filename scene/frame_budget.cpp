#include "scene/frame_budget.h"

#include <algorithm>
#include <array>
#include <cstdio>

bool IsSoftwareRenderer(std::string_view glRenderer) {
  constexpr std::array<std::string_view, 6> kSoftwareNames = {
      "llvmpipe", "softpipe",    "Software Rasterizer",
      "swrast",   "GDI Generic", "Microsoft Basic Render Driver"};
  return std::any_of(kSoftwareNames.begin(), kSoftwareNames.end(), [&](std::string_view name) {
    return glRenderer.find(name) != std::string_view::npos;
  });
}

FrameBudget::FrameBudget(PaceClock& wall, PaceClock* processCpu, std::string_view glRenderer)
    : wall_(wall),
      processCpu_(processCpu != nullptr && IsSoftwareRenderer(glRenderer) ? processCpu : nullptr) {
  if (processCpu_ == nullptr) {
    return;
  }
  std::array<char, 200> line{};
  std::snprintf(
      line.data(), line.size(), "mirebora: drawing in software (%.*s): frames within %.1f cores\n",
      static_cast<int>(std::min<size_t>(glRenderer.size(), 120)), glRenderer.data(), kCores);
  announcement_ = line.data();
  measuringSince_ = wall_.Now();
  cpuSince_ = processCpu_->Now();
}

void FrameBudget::FrameDone() {
  if (processCpu_ == nullptr) {
    return;
  }
  ++framesSince_;
  const int64_t now = wall_.Now();
  const int64_t wallTicks = now - measuringSince_;
  if (wallTicks < kMeasuringSeconds * wall_.TicksPerSecond()) {
    return;
  }
  const int64_t cpuNow = processCpu_->Now();
  const double cpuSecondsPerFrame = static_cast<double>(cpuNow - cpuSince_) /
                                    static_cast<double>(processCpu_->TicksPerSecond()) /
                                    static_cast<double>(framesSince_);
  const double frameSeconds = std::min(cpuSecondsPerFrame / kCores, 1.0 / kSlowestHz);
  minimumFrameTicks_ =
      static_cast<int64_t>(frameSeconds * static_cast<double>(wall_.TicksPerSecond()));
  measuringSince_ = now;
  cpuSince_ = cpuNow;
  framesSince_ = 0;
}
