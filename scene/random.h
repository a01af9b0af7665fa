#pragma once

#include <cstdint>

// The scene's one random generator: a 15-bit linear congruential generator. It starts from the
// state it is given and is never reseeded, so every run from the same seed plays the same meteors
// and explosions.
class RandomGenerator {
 public:
  // The state the first scene (the primary monitor's, scene-trace's) starts from.
  static constexpr uint32_t kInitialState = 1;

  explicit RandomGenerator(uint32_t seed = kInitialState) : state_(seed) {}

  // The next value, 0 to 32767.
  int NextRandom() {
    state_ = state_ * kMultiplier + kIncrement;
    return static_cast<int>((state_ >> kOutputShift) & kOutputMask);
  }

  // One draw taken modulo n: 0 to n - 1.
  int Below(int n) { return NextRandom() % n; }

  // Two draws below n, the first minus the second. The draws are sequenced here because C++
  // leaves open which operand of a subtraction is evaluated first.
  int Difference(int n) {
    const int first = Below(n);
    return first - Below(n);
  }

  uint32_t state() const { return state_; }

 private:
  static constexpr uint32_t kMultiplier = 214013;
  static constexpr uint32_t kIncrement = 2531011;
  static constexpr int kOutputShift = 16;
  static constexpr uint32_t kOutputMask = 0x7FFF;

  uint32_t state_;
};
