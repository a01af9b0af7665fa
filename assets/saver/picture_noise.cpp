#include "picture_noise.h"

#include <algorithm>
#include <cmath>

uint64_t SeededRandom::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double SeededRandom::Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

GradientNoise::GradientNoise(uint64_t seed) {
  std::array<uint8_t, 256> order{};
  for (int i = 0; i < 256; ++i) order[i] = static_cast<uint8_t>(i);
  SeededRandom random(seed);
  for (int i = 255; i > 0; --i) {
    const int j = static_cast<int>(random.Next() % static_cast<uint64_t>(i + 1));
    std::swap(order[i], order[j]);
  }
  for (int i = 0; i < 512; ++i) permutation_[i] = order[i & 255];
}

namespace {

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

// One of the twelve cube-edge directions (four of them twice), dotted with (x, y, z).
double Gradient(int hash, double x, double y, double z) {
  const int h = hash & 15;
  const double u = h < 8 ? x : y;
  const double v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
  return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
}

}  // namespace

double GradientNoise::At(double x, double y, double z) const {
  const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
  const int X = static_cast<int>(static_cast<int64_t>(fx) & 255);
  const int Y = static_cast<int>(static_cast<int64_t>(fy) & 255);
  const int Z = static_cast<int>(static_cast<int64_t>(fz) & 255);
  x -= fx;
  y -= fy;
  z -= fz;
  const double u = Fade(x), v = Fade(y), w = Fade(z);
  const auto& p = permutation_;
  const int A = p[X] + Y, AA = p[A] + Z, AB = p[A + 1] + Z;
  const int B = p[X + 1] + Y, BA = p[B] + Z, BB = p[B + 1] + Z;
  return Mix(
      Mix(Mix(Gradient(p[AA], x, y, z), Gradient(p[BA], x - 1, y, z), u),
          Mix(Gradient(p[AB], x, y - 1, z), Gradient(p[BB], x - 1, y - 1, z), u), v),
      Mix(Mix(Gradient(p[AA + 1], x, y, z - 1), Gradient(p[BA + 1], x - 1, y, z - 1), u),
          Mix(Gradient(p[AB + 1], x, y - 1, z - 1), Gradient(p[BB + 1], x - 1, y - 1, z - 1), u),
          v),
      w);
}

double GradientNoise::Fractal(double x, double y, double z, int octaves, double gain) const {
  double sum = 0, weight = 1, total = 0, scale = 1;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += weight * At(x * scale, y * scale, z * scale);
    total += weight;
    weight *= gain;
    scale *= 2;
  }
  return total > 0 ? sum / total : 0;
}

double SmoothStep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

double Mix(double a, double b, double amount) { return a + (b - a) * amount; }

SpherePoint OnSphere(double longitude, double latitude) {
  const double ring = std::cos(latitude);
  return {ring * std::cos(longitude), ring * std::sin(longitude), std::sin(latitude)};
}

double ColumnLongitude(int x, int width) { return 2 * kPi * (x + 0.5) / width; }

double RowLatitude(int y, int height) { return kPi / 2 - kPi * (y + 0.5) / height; }
