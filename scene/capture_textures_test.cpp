#include "scene/capture_textures.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "scene/testing/offscreen_gl_test_context.h"

namespace {

RgbImage SolidImage(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  RgbImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    image.pixels.insert(image.pixels.end(), {r, g, b});
  }
  return image;
}

// Hands out prepared pictures by role and remembers the order in which it was asked.
class FakeLoader final : public CaptureImageLoader {
 public:
  std::map<CaptureRole, RgbImage> images;
  std::vector<CaptureRole> requested;

  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override {
    requested.push_back(role);
    auto found = images.find(role);
    if (found == images.end()) {
      return std::nullopt;
    }
    return found->second;
  }
};

std::vector<uint8_t> TextureLevel0(GLuint texture, GLint* width, GLint* height) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, height);
  std::vector<uint8_t> texels(static_cast<size_t>(*width) * *height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

class CaptureTexturesTest : public ::testing::Test {
 protected:
  OffscreenGlTestContext gl_{64, 64};
  FakeLoader loader_;
  CaptureTextures textures_{};
};

// The order in which the renderer reads the capture files 1 to 4.
const std::vector<CaptureRole> kFileOrder = {kDebrisTexture, kGroundTexture, kSkyTexture,
                                             kMeteorTexture};

TEST_F(CaptureTexturesTest, LoadsEachRoleOnceInFileOrderIntoMipmappedTextures) {
  for (int i = 0; i < kCaptureFileCount; ++i) {
    loader_.images[CaptureRole(i)] = SolidImage(16, 16, static_cast<uint8_t>(40 * i), 0, 0);
  }
  ASSERT_TRUE(gl_.current());
  EXPECT_TRUE(BuildCaptureTextures(loader_, textures_));

  EXPECT_EQ(loader_.requested, kFileOrder);
  for (int i = 0; i < kCaptureFileCount; ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(textures_[i], 0u);
    GLint width = 0, height = 0;
    const std::vector<uint8_t> texels = TextureLevel0(textures_[i], &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(texels[0], 40 * i);
    GLint minFilter = 0, magFilter = 0, smallestLevelWidth = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 4, GL_TEXTURE_WIDTH, &smallestLevelWidth);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_EQ(smallestLevelWidth, 1) << "the whole mipmap chain down to 1 x 1";
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(CaptureTexturesTest, MissingFilesLeaveTheirEntryZero) {
  loader_.images[kSkyTexture] = SolidImage(8, 8, 0, 0, 255);
  ASSERT_TRUE(gl_.current());
  EXPECT_TRUE(BuildCaptureTextures(loader_, textures_));
  EXPECT_EQ(textures_[kDebrisTexture], 0u);
  EXPECT_EQ(textures_[kGroundTexture], 0u);
  EXPECT_NE(textures_[kSkyTexture], 0u);
  EXPECT_EQ(textures_[kMeteorTexture], 0u);
}

TEST_F(CaptureTexturesTest, NoFileAtAllFails) {
  ASSERT_TRUE(gl_.current());
  EXPECT_FALSE(BuildCaptureTextures(loader_, textures_));
  EXPECT_EQ(textures_, CaptureTextures{});
  EXPECT_EQ(loader_.requested, kFileOrder) << "a missing picture stops no other";
}

TEST_F(CaptureTexturesTest, ScreenSizedPictureIsScaledToPowerOfTwoSides) {
  loader_.images[kGroundTexture] = SolidImage(1024, 768, 10, 200, 30);
  ASSERT_TRUE(gl_.current());
  ASSERT_TRUE(BuildCaptureTextures(loader_, textures_));
  GLint width = 0, height = 0;
  const std::vector<uint8_t> texels = TextureLevel0(textures_[kGroundTexture], &width, &height);
  EXPECT_EQ(width, 1024);
  EXPECT_TRUE(height == 512 || height == 1024) << height;
  EXPECT_EQ(texels[0], 10);
  EXPECT_EQ(texels[1], 200);
  EXPECT_EQ(texels[2], 30);
}

// Rows of a 2-pixel-wide picture are 6 bytes long; read with the default 4-byte row alignment the
// second row would start two bytes late and come out with the wrong colours.
TEST_F(CaptureTexturesTest, RowsWhoseLengthIsNotAMultipleOfFourStayInPlace) {
  RgbImage image{2,
                 2,
                 {255, 0, 0, 0, 255, 0,        // bottom row: red, green
                  0, 0, 255, 255, 255, 255}};  // top row: blue, white
  loader_.images[kMeteorTexture] = image;
  ASSERT_TRUE(gl_.current());
  ASSERT_TRUE(BuildCaptureTextures(loader_, textures_));
  GLint width = 0, height = 0;
  const std::vector<uint8_t> texels = TextureLevel0(textures_[kMeteorTexture], &width, &height);
  ASSERT_EQ(width, 2);
  ASSERT_EQ(height, 2);
  EXPECT_EQ(texels, image.pixels);
}

}  // namespace
