// The scene keeps all its state in fixed tables: stepping it allocates nothing. This program
// replaces the global allocation functions to count every allocation made through them.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "scene/scene.h"
#include "scene/testing/scene_test_support.h"

namespace {
std::atomic<long> allocations{0};

void* CountedAllocation(std::size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) {
    return memory;
  }
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return CountedAllocation(size); }
void* operator new[](std::size_t size) { return CountedAllocation(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

TEST(SceneAllocationTest, CounterSeesAnAllocation) {
  const long before = allocations;
  auto* value = new int(7);
  EXPECT_EQ(allocations - before, 1);
  delete value;
}

// Several cycles: meteors starting and striking, explosions starting, running side by side and
// ending, the camera switching.
TEST(SceneAllocationTest, SteppingTheSceneAllocatesNothing) {
  NoCaptureFiles loader;
  Scene scene(loader);
  scene.ResetScene();
  const long before = allocations;
  int explosionsStarted = 0;
  for (int frame = 1; frame <= 4 * kCycleFrames + 500; ++frame) {
    const int wasActive = scene.explosionActive[0] + scene.explosionActive[1];
    scene.Advance(1);
    explosionsStarted += scene.explosionActive[0] + scene.explosionActive[1] > wasActive ? 1 : 0;
  }
  EXPECT_EQ(allocations - before, 0);
  EXPECT_GE(explosionsStarted, 4);
}

}  // namespace
