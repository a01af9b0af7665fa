#include "renderer/win32/desktop_capture.h"

#include <cstddef>

namespace {

constexpr int kBytesPerPixel = 3;

// Rows of a 24-bit DIB are padded to whole 32-bit words.
size_t DibRowBytes(int width) { return (static_cast<size_t>(width) * kBytesPerPixel + 3) & ~3u; }

}  // namespace

std::optional<RgbImage> CaptureScreenRect(const ScreenRect& rect) {
  const int width = rect.width(), height = rect.height();
  if (width <= 0 || height <= 0) return std::nullopt;

  // Bottom-up, as RgbImage keeps its rows.
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 24;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr || bits == nullptr) {
    if (section != nullptr) DeleteObject(section);
    return std::nullopt;
  }

  std::optional<RgbImage> image;
  HDC screen = GetDC(nullptr);  // the whole virtual screen, every monitor
  HDC memory = screen != nullptr ? CreateCompatibleDC(screen) : nullptr;
  if (memory != nullptr) {
    HGDIOBJ previous = SelectObject(memory, section);
    if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
      GdiFlush();
      image = RgbImage{width, height, {}};
      image->pixels.resize(static_cast<size_t>(width) * height * kBytesPerPixel);
      const auto* row = static_cast<const uint8_t*>(bits);
      uint8_t* out = image->pixels.data();
      for (int y = 0; y < height; ++y, row += DibRowBytes(width)) {
        for (int x = 0; x < width; ++x, out += kBytesPerPixel) {
          const uint8_t* pixel = row + static_cast<size_t>(x) * kBytesPerPixel;
          out[0] = pixel[2];  // the DIB holds blue, green, red
          out[1] = pixel[1];
          out[2] = pixel[0];
        }
      }
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  DeleteObject(section);
  return image;
}

MonitorDesktops CaptureOtherMonitorDesktops(const std::vector<MonitorInfo>& monitors) {
  MonitorDesktops desktops;
  for (const MonitorInfo& monitor : monitors) {
    if (monitor.primary || desktops.count(monitor.device) != 0) continue;
    if (std::optional<RgbImage> desktop = CaptureScreenRect(monitor.rect)) {
      desktops.emplace(monitor.device, std::move(*desktop));
    }
  }
  return desktops;
}
