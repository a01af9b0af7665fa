#pragma once

// A meteor: a sphere wrapped in the meteor texture, falling in a straight line onto the ground.
struct Meteor {
  int active = 0;  // 1 while the meteor is in the air
  float x = 0, y = 0, z = 0;
  float stepX = 0, stepY = 0, stepZ = 0;  // movement per frame
  float size = 0;                         // 0.0 to 0.9; the drawn radius is twice the size
  float angle = 0;                        // spin about the z axis, degrees
};

inline constexpr int kMeteorCount = 8;
// Sizes 0.0, 0.1 ... 0.9.
inline constexpr int kMeteorSizeCount = 10;

// A meteor strikes when its centre sinks below this height; a meteor's target lies this far
// above its size. Compared and added in double precision.
inline constexpr double kImpactHeight = 0.2;
