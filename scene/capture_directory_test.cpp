#include "scene/capture_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scene/testing/dib_samples.h"

namespace {

class CaptureDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "captures_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream file(directory_ + "/" + name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  std::string directory_;
};

// The files are numbered in load order, as the host writes them: the screen copy is file 2.
TEST_F(CaptureDirectoryTest, ARoleIsReadFromTheCaptureFileOfTheSameNameInTheDirectory) {
  EXPECT_EQ(CaptureFileInDirectory("/tmp/caps", kDebrisTexture), "/tmp/caps/Valdorique1.bmp");
  EXPECT_EQ(CaptureFileInDirectory("/tmp/caps", kGroundTexture), "/tmp/caps/Valdorique2.bmp");
  EXPECT_EQ(CaptureFileInDirectory("/tmp/caps", kSkyTexture), "/tmp/caps/Valdorique3.bmp");
  EXPECT_EQ(CaptureFileInDirectory("d", kMeteorTexture), "d/Valdorique4.bmp");
}

TEST_F(CaptureDirectoryTest, ReadsAndDecodesTheFileAndSkipsMissingOrBrokenOnes) {
  const SamplePicture picture{2, 1, {0xFF0000, 0x00FF80}};
  Write("Valdorique2.bmp", BuildDib(picture, SampleLayout{}));
  Write("Valdorique3.bmp", {'B', 'M', 1, 2, 3});
  CaptureDirectoryLoader loader(directory_);

  const std::optional<RgbImage> image = loader.LoadCaptureImage(kGroundTexture);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 1);
  EXPECT_EQ(image->pixels, (std::vector<uint8_t>{255, 0, 0, 0, 255, 128}));

  EXPECT_FALSE(loader.LoadCaptureImage(kDebrisTexture));
  EXPECT_TRUE(loader.problems().empty()) << "a missing file is skipped silently";

  EXPECT_FALSE(loader.LoadCaptureImage(kSkyTexture));
  ASSERT_EQ(loader.problems().size(), 1u);
  EXPECT_EQ(loader.problems()[0], directory_ + "/Valdorique3.bmp: Unknown DIB file format.");
}

}  // namespace
