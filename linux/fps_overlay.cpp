#include "linux/fps_overlay.h"

#include <cstdio>

#include "scene/opengl.h"

namespace {

// A 5 x 7 pixel font for the characters the overlay writes; rows from the top, bit 4 the
// leftmost column. Characters not in the table are drawn as blanks.
struct Glyph {
  char character;
  std::array<uint8_t, 7> rows;
};
constexpr std::array<Glyph, 20> kFont = {{
    {'0', {0x0e, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0e}},
    {'1', {0x04, 0x0c, 0x04, 0x04, 0x04, 0x04, 0x0e}},
    {'2', {0x0e, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1f}},
    {'3', {0x1f, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0e}},
    {'4', {0x02, 0x06, 0x0a, 0x12, 0x1f, 0x02, 0x02}},
    {'5', {0x1f, 0x10, 0x1e, 0x01, 0x01, 0x11, 0x0e}},
    {'6', {0x06, 0x08, 0x10, 0x1e, 0x11, 0x11, 0x0e}},
    {'7', {0x1f, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0e, 0x11, 0x11, 0x0e, 0x11, 0x11, 0x0e}},
    {'9', {0x0e, 0x11, 0x11, 0x0f, 0x01, 0x02, 0x0c}},
    {'F', {0x1f, 0x10, 0x10, 0x1e, 0x10, 0x10, 0x10}},
    {'P', {0x1e, 0x11, 0x11, 0x1e, 0x10, 0x10, 0x10}},
    {'S', {0x0f, 0x10, 0x10, 0x0e, 0x01, 0x01, 0x1e}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1f}},
    {'o', {0x00, 0x00, 0x0e, 0x11, 0x11, 0x11, 0x0e}},
    {'a', {0x00, 0x00, 0x0e, 0x01, 0x0f, 0x11, 0x0f}},
    {'d', {0x01, 0x01, 0x0d, 0x13, 0x11, 0x11, 0x0f}},
    {':', {0x00, 0x0c, 0x0c, 0x00, 0x0c, 0x0c, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0c, 0x0c}},
    {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}},
}};

constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;
constexpr int kAdvance = 6;      // font pixels from one character to the next
constexpr int kLineHeight = 10;  // font pixels from one line to the next
constexpr int kMargin = 10;      // screen pixels from the window's left and bottom edges
// One font pixel is a square of this many screen pixels for each kPixelScaleStep of height.
constexpr int kPixelScaleStep = 150;
constexpr int kMaxPixelScale = 4;

const std::array<uint8_t, 7>* GlyphRows(char c) {
  for (const Glyph& glyph : kFont) {
    if (glyph.character == c) {
      return &glyph.rows;
    }
  }
  return nullptr;
}

// One line of text with its bottom-left corner at (x, y), as quads of `scale` pixels.
void DrawLine(const char* text, int x, int y, int scale) {
  glBegin(GL_QUADS);
  for (int column = 0; text[column] != '\0'; ++column) {
    const std::array<uint8_t, 7>* rows = GlyphRows(text[column]);
    if (rows == nullptr) {
      continue;
    }
    for (int row = 0; row < kGlyphRows; ++row) {
      for (int bit = 0; bit < kGlyphColumns; ++bit) {
        if (((*rows)[row] >> (kGlyphColumns - 1 - bit) & 1) == 0) {
          continue;
        }
        const int left = x + (column * kAdvance + bit) * scale;
        const int bottom = y + (kGlyphRows - 1 - row) * scale;
        glVertex2i(left, bottom);
        glVertex2i(left + scale, bottom);
        glVertex2i(left + scale, bottom + scale);
        glVertex2i(left, bottom + scale);
      }
    }
  }
  glEnd();
}

}  // namespace

FpsMeter::FpsMeter(int64_t start, int64_t ticksPerSecond)
    : ticksPerSecond_(ticksPerSecond), periodStart_(start) {
  std::snprintf(text_.fps.data(), text_.fps.size(), "FPS:");
  std::snprintf(text_.load.data(), text_.load.size(), "Load:");
}

bool FpsMeter::FrameDone(int64_t now, int64_t busyTicks) {
  ++frames_;
  busyTicks_ += busyTicks;
  const int64_t elapsed = now - periodStart_;
  if (elapsed < ticksPerSecond_) {
    return false;
  }
  const double seconds = static_cast<double>(elapsed) / static_cast<double>(ticksPerSecond_);
  const double load = 100.0 * static_cast<double>(busyTicks_) / static_cast<double>(elapsed);
  std::snprintf(text_.fps.data(), text_.fps.size(), "FPS:   %.1f",
                static_cast<double>(frames_) / seconds);
  std::snprintf(text_.load.data(), text_.load.size(), "Load:  %.1f%%", load > 100.0 ? 100.0 : load);
  periodStart_ = now;
  frames_ = 0;
  busyTicks_ = 0;
  return true;
}

void DrawFpsOverlay(const FpsText& text, int width, int height) {
  int scale = height / kPixelScaleStep;
  scale = scale < 1 ? 1 : (scale > kMaxPixelScale ? kMaxPixelScale : scale);

  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);

  // The FPS line above the load line, as XScreenSaver's hacks show them: white over a black
  // shadow one font pixel to the right and below, legible over the bright sky too.
  const int fpsLine = kMargin + kLineHeight * scale;
  glColor3f(0.0f, 0.0f, 0.0f);
  DrawLine(text.load.data(), kMargin + scale, kMargin - scale, scale);
  DrawLine(text.fps.data(), kMargin + scale, fpsLine - scale, scale);
  glColor3f(1.0f, 1.0f, 1.0f);
  DrawLine(text.load.data(), kMargin, kMargin, scale);
  DrawLine(text.fps.data(), kMargin, fpsLine, scale);

  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();  // also selects the matrix mode the caller had
}
