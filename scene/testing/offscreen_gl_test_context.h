#pragma once

#include <GL/osmesa.h>

#include <cstdint>
#include <vector>

// A current Mesa rendering context on an offscreen RGBA buffer, for tests of the GL code.
class OffscreenGlTestContext {
 public:
  OffscreenGlTestContext(int width, int height)
      : width_(width), height_(height), buffer_(static_cast<size_t>(width) * height * 4) {
    context_ = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    if (context_ != nullptr) {
      current_ = OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, width, height);
    }
  }
  ~OffscreenGlTestContext() {
    if (context_ != nullptr) {
      OSMesaDestroyContext(context_);
    }
  }
  OffscreenGlTestContext(const OffscreenGlTestContext&) = delete;
  OffscreenGlTestContext& operator=(const OffscreenGlTestContext&) = delete;

  bool current() const { return current_ == GL_TRUE; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  std::vector<uint8_t> buffer_;
  OSMesaContext context_ = nullptr;
  GLboolean current_ = GL_FALSE;
};
