#pragma once

#include <cstdint>
#include <vector>

#include "scene/no_capture_files.h"

// The generator's values worked out separately from RandomGenerator, in 64-bit arithmetic
// reduced modulo 2^32 by hand.
inline std::vector<int> ReferenceDraws(int count, uint64_t* finalState = nullptr) {
  uint64_t state = 1;
  std::vector<int> values;
  for (int i = 0; i < count; ++i) {
    state = (state * 214013 + 2531011) % (uint64_t{1} << 32);
    values.push_back(static_cast<int>(state / 65536 % 32768));
  }
  if (finalState != nullptr) {
    *finalState = state;
  }
  return values;
}
