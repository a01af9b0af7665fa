#pragma once

#include <cstdint>

#include "scene/random.h"

// The seed of the scene shown at `place` in a list of displays (monitors on Windows, heads under
// XScreenSaver). Place 0, the primary monitor, gets the generator's own initial state, so its
// meteors are the ones every run has always shown; every other place gets a state of its own,
// scattered over the generator's cycle, so that no two displays show the same meteors at the same
// moment. A negative place counts as 0.
constexpr uint32_t SceneSeedForPlace(int place) {
  if (place <= 0) return RandomGenerator::kInitialState;
  // A 32-bit integer hash of the place (the finaliser of MurmurHash3): neighbouring places land
  // far apart in the generator's cycle.
  uint32_t mixed = static_cast<uint32_t>(place) * 0x9E3779B9u;
  mixed ^= mixed >> 16;
  mixed *= 0x85EBCA6Bu;
  mixed ^= mixed >> 13;
  mixed *= 0xC2B2AE35u;
  mixed ^= mixed >> 16;
  return mixed == RandomGenerator::kInitialState ? mixed + 1 : mixed;
}
