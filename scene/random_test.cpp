#include "scene/random.h"

#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
