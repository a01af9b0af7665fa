#include "linux/scene_pictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "linux/embedded_pictures.h"
#include "scene/built_in_ground.h"
#include "scene/dib_decoder.h"

namespace {

std::vector<uint8_t> CommittedPicture(const std::string& name) {
  std::ifstream file(std::string(MIREBORA_SAVER_PICTURES_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Bytes(EmbeddedFile file) { return {file.data, file.data + file.size}; }

// The colour at (x, y) of a picture, counted from its top-left corner as on a screen.
std::array<uint8_t, 3> ScreenPixel(const RgbImage& image, int x, int y) {
  const size_t at = (static_cast<size_t>(image.height - 1 - y) * image.width + x) * 3;
  return {image.pixels[at], image.pixels[at + 1], image.pixels[at + 2]};
}

TEST(EmbeddedPicturesTest, AreTheCommittedFilesByteForByte) {
  const std::vector<uint8_t> glow = CommittedPicture("glow.bmp");
  ASSERT_FALSE(glow.empty());
  EXPECT_EQ(Bytes(EmbeddedGlowPicture()), glow);
  EXPECT_EQ(Bytes(EmbeddedNebulaPicture()), CommittedPicture("nebula.bmp"));
  EXPECT_EQ(Bytes(EmbeddedEarthPicture()), CommittedPicture("earth.bmp"));
}

TEST(ScenePicturesTest, DebrisSkyAndMeteorAreTheBuiltInPictures) {
  ScenePictures pictures(std::nullopt);
  const struct {
    CaptureRole role;
    EmbeddedFile file;
    int side;
  } expected[] = {{kDebrisTexture, EmbeddedGlowPicture(), 128},
                  {kSkyTexture, EmbeddedNebulaPicture(), 256},
                  {kMeteorTexture, EmbeddedEarthPicture(), 256}};
  for (const auto& [role, file, side] : expected) {
    const std::optional<RgbImage> picture = pictures.LoadCaptureImage(role);
    ASSERT_TRUE(picture) << role;
    EXPECT_EQ(picture->width, side);
    EXPECT_EQ(picture->height, side);
    EXPECT_EQ(picture->pixels, DecodeDib(file.data, file.size).image->pixels) << role;
  }
  EXPECT_FALSE(pictures.LoadCaptureImage(CaptureRole(kCaptureFileCount)));
  EXPECT_FALSE(pictures.LoadCaptureImage(CaptureRole(-1)));
}

// The desktop is moved into the scene, not copied: asked again, there is only the built-in ground.
TEST(ScenePicturesTest, TheGroundIsTheDesktopHandedOverOnceWhenThereIsOne) {
  RgbImage desktop;
  desktop.width = 3;
  desktop.height = 2;
  desktop.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  ScenePictures grabbed(desktop);
  const std::optional<RgbImage> ground = grabbed.LoadCaptureImage(kGroundTexture);
  ASSERT_TRUE(ground);
  EXPECT_EQ(ground->width, 3);
  EXPECT_EQ(ground->pixels, desktop.pixels);
  const std::optional<RgbImage> again = grabbed.LoadCaptureImage(kGroundTexture);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->pixels, BuiltInGround().pixels);

  ScenePictures none(std::nullopt);
  const std::optional<RgbImage> builtIn = none.LoadCaptureImage(kGroundTexture);
  ASSERT_TRUE(builtIn);
  EXPECT_EQ(builtIn->pixels, BuiltInGround().pixels);
}

TEST(BuiltInGroundTest, IsAScreenSizedDesktopWithItsTaskbarAtTheBottom) {
  const RgbImage ground = BuiltInGround();
  ASSERT_EQ(ground.width, 1024);
  ASSERT_EQ(ground.height, 768);
  ASSERT_EQ(ground.pixels.size(), 1024u * 768u * 3u);
  using Rgb = std::array<uint8_t, 3>;
  EXPECT_EQ(ScreenPixel(ground, 1000, 2), (Rgb{0x2f, 0x6d, 0xb5}));   // wallpaper, top
  EXPECT_EQ(ScreenPixel(ground, 600, 750), (Rgb{0x20, 0x3a, 0x5c}));  // taskbar
  EXPECT_EQ(ScreenPixel(ground, 50, 750), (Rgb{0x3c, 0x9a, 0x3c}));   // start button
  EXPECT_EQ(ScreenPixel(ground, 400, 100), (Rgb{0x2a, 0x58, 0xa8}));  // a title bar
  EXPECT_EQ(ScreenPixel(ground, 800, 600), (Rgb{0x2d, 0x5c, 0x8a}));  // the mountains
  EXPECT_EQ(ScreenPixel(ground, 560, 400), (Rgb{0x8f, 0xc0, 0xe8}));  // the sky above them
  // The wallpaper darkens from top to bottom.
  EXPECT_GT(ScreenPixel(ground, 1000, 2)[2], ScreenPixel(ground, 1000, 700)[2]);
}

}  // namespace
