#include "renderer/monitor_pictures.h"

#include <gtest/gtest.h>

#include "scene/built_in_ground.h"

namespace {

RgbImage Plain(int width, int height, uint8_t value) {
  return {width, height, std::vector<uint8_t>(size_t(width) * height * 3, value)};
}

// The capture files as the renderer would read them: every role has a picture of its own value
// except the sky, whose file did not load. Counts what it is asked.
class CaptureFilesStandIn final : public CaptureImageLoader {
 public:
  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override {
    ++asked[role];
    if (role == kSkyTexture) return std::nullopt;
    return Plain(4, 2, static_cast<uint8_t>(10 + role));
  }
  std::array<int, kCaptureFileCount> asked{};
};

std::vector<std::optional<RgbImage>> LoadAll(CaptureImageLoader& loader) {
  std::vector<std::optional<RgbImage>> pictures(kCaptureFileCount);
  for (const CaptureRole role : kCaptureLoadOrder) pictures[role] = loader.LoadCaptureImage(role);
  return pictures;
}

TEST(MonitorPictures, OtherMonitorsShareTheFilesPicturesAndShowTheirOwnDesktop) {
  CaptureFilesStandIn files;
  RememberedPictures remembered(files);
  const auto primary = LoadAll(remembered);
  ASSERT_TRUE(primary[kGroundTexture].has_value());
  EXPECT_EQ(primary[kGroundTexture]->pixels.front(), 10 + kGroundTexture);

  // Two monitors' scenes, one after the other: the files are read once in all.
  for (uint8_t red : {200, 90}) {
    RgbImage desktop = Plain(3, 5, 0);
    desktop.pixels[0] = red;
    MonitorPictures pictures(remembered, desktop);
    const auto monitor = LoadAll(pictures);
    for (const CaptureRole role : {kDebrisTexture, kMeteorTexture}) {
      ASSERT_TRUE(monitor[role].has_value()) << role;
      EXPECT_EQ(monitor[role]->pixels, primary[role]->pixels) << role;
    }
    EXPECT_FALSE(monitor[kSkyTexture].has_value());
    ASSERT_TRUE(monitor[kGroundTexture].has_value());
    EXPECT_EQ(monitor[kGroundTexture]->width, 3);
    EXPECT_EQ(monitor[kGroundTexture]->pixels, desktop.pixels);
  }
  EXPECT_EQ(files.asked, (std::array<int, kCaptureFileCount>{1, 1, 1, 1}));
  EXPECT_FALSE(remembered.Remembered(static_cast<CaptureRole>(kCaptureFileCount)).has_value());
}

TEST(MonitorPictures, AFailedOrBlackCaptureShowsTheBuiltInDesktop) {
  CaptureFilesStandIn files;
  RememberedPictures remembered(files);
  LoadAll(remembered);
  const RgbImage builtIn = BuiltInGround();
  for (std::optional<RgbImage> desktop :
       {std::optional<RgbImage>{}, std::optional<RgbImage>{Plain(0, 0, 0)},
        std::optional<RgbImage>{Plain(640, 480, 0)}}) {
    MonitorPictures pictures(remembered, desktop);
    const std::optional<RgbImage> ground = pictures.LoadCaptureImage(kGroundTexture);
    ASSERT_TRUE(ground.has_value());
    EXPECT_EQ(ground->width, builtIn.width);
    EXPECT_EQ(ground->pixels, builtIn.pixels);
  }
  EXPECT_FALSE(IsEmptyCapture(Plain(1, 1, 1)));
}

}  // namespace
