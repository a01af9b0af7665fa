#include "scene/capture_textures.h"

bool BuildCaptureTextures(CaptureImageLoader& loader, CaptureTextures& captureTextures) {
  bool anyLoaded = false;
  for (const CaptureRole role : kCaptureLoadOrder) {
    std::optional<RgbImage> image = loader.LoadCaptureImage(role);
    if (!image) {
      continue;
    }
    anyLoaded = true;
    glGenTextures(1, &captureTextures[role]);
    glBindTexture(GL_TEXTURE_2D, captureTextures[role]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    // Rows arrive tightly packed: any width, not only multiples of four bytes.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE,
                      image->pixels.data());
  }
  return anyLoaded;
}
