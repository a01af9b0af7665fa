#pragma once

// Seeded randomness for the built-in pictures: a small generator and smooth 3-D gradient noise.
// Everything is integer or plain double arithmetic, so a seed always gives the same picture.

#include <array>
#include <cstdint>

// splitmix64: a fixed, well-mixed sequence from any seed.
class SeededRandom {
 public:
  explicit SeededRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next();
  // Uniform in [0, 1), 53 bits.
  double Uniform();

 private:
  uint64_t state_;
};

// Improved Perlin gradient noise over 3-D space with a permutation drawn from the seed.
class GradientNoise {
 public:
  explicit GradientNoise(uint64_t seed);

  // Roughly -1 to 1, 0 at every lattice point.
  double At(double x, double y, double z) const;

  // Octaves of At, each twice the frequency and `gain` times the weight of the one before,
  // divided by the total weight.
  double Fractal(double x, double y, double z, int octaves, double gain = 0.5) const;

 private:
  std::array<uint8_t, 512> permutation_{};
};

// 0 below `edge0`, 1 above `edge1`, a smooth cubic step between.
double SmoothStep(double edge0, double edge1, double x);

double Mix(double a, double b, double amount);

// A point of the unit sphere from longitude and latitude in radians.
struct SpherePoint {
  double x, y, z;
};
SpherePoint OnSphere(double longitude, double latitude);

constexpr double kPi = 3.14159265358979323846;

// Longitude and latitude of the centre of column `x`, row `y` (top first) of a side x side
// equirectangular picture: longitude 0 to 2 pi across, latitude pi/2 (top) to -pi/2 (bottom).
double ColumnLongitude(int x, int width);
double RowLatitude(int y, int height);
