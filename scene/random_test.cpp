#include "scene/random.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "scene/no_capture_files.h"
#include "scene/scene.h"
#include "scene/scene_seed.h"

#include "scene/testing/scene_test_support.h"

namespace {

TEST(RandomGeneratorTest, StartsFromState1AndPlaysTheSameSequenceEveryTime) {
  // 1 x 214013 + 2531011 = 2745024, and 2745024 >> 16 = 41.
  const std::vector<int> expected = {41,    18467, 6334,  26500, 19169, 15724, 11478,
                                     29358, 26962, 24464, 5705,  28145, 23281, 16827,
                                     9961,  491,   2995,  11942, 4827,  5436};
  RandomGenerator random;
  EXPECT_EQ(random.state(), 1u);
  std::vector<int> values;
  for (size_t i = 0; i < expected.size(); ++i) {
    values.push_back(random.NextRandom());
    if (i == 0) {
      EXPECT_EQ(random.state(), 2745024u);
    }
  }
  EXPECT_EQ(values, expected);
}

TEST(RandomGeneratorTest, StateWrapsModulo2To32AndValuesStayIn15Bits) {
  constexpr int kDraws = 100000;
  uint64_t referenceState = 0;
  const std::vector<int> reference = ReferenceDraws(kDraws, &referenceState);
  RandomGenerator random;
  int lowest = 32767, highest = 0;
  for (int i = 0; i < kDraws; ++i) {
    const int value = random.NextRandom();
    ASSERT_EQ(value, reference[i]) << "draw " << i;
    lowest = std::min(lowest, value);
    highest = std::max(highest, value);
  }
  EXPECT_EQ(random.state(), referenceState);
  EXPECT_EQ(lowest, 0);
  EXPECT_EQ(highest, 32767);
}

// The primary monitor keeps the seed every run has had; the places after it each start their own
// scene, whose meteors differ from every other place's from the first spawn on.
TEST(SceneSeedTest, PrimaryKeepsItsSeedAndEveryOtherPlaceShowsOtherMeteors) {
  EXPECT_EQ(SceneSeedForPlace(0), RandomGenerator().state());
  EXPECT_EQ(SceneSeedForPlace(-3), SceneSeedForPlace(0));

  NoCaptureFiles noFiles;
  constexpr int kPlaces = 16;
  constexpr int kSteps = 3000;  // three meteors spawned and two struck
  std::set<uint32_t> seeds;
  std::set<std::vector<float>> firstMeteors, laterStates;
  for (int place = 0; place < kPlaces; ++place) {
    seeds.insert(SceneSeedForPlace(place));
    Scene scene(noFiles, SceneSeedForPlace(place));
    scene.ResetScene();
    const Meteor& first = scene.meteors[0];
    firstMeteors.insert({first.x, first.z, first.size, first.stepX, first.stepZ});
    scene.Advance(kSteps);
    std::vector<float> state;
    for (const Meteor& meteor : scene.meteors) state.insert(state.end(), {meteor.x, meteor.z});
    laterStates.insert(state);
  }
  EXPECT_EQ(seeds.size(), size_t{kPlaces});
  EXPECT_EQ(firstMeteors.size(), size_t{kPlaces});
  EXPECT_EQ(laterStates.size(), size_t{kPlaces});
}

}  // namespace
