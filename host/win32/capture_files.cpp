#include "host/win32/capture_files.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "contract/saver_contract.h"
#include "host/bitmap_file.h"
#include "host/win32/private_file.h"
#include "saver_pictures.h"

namespace {

// The packed DIB a bitmap resource holds, as a bitmap file.
std::optional<std::vector<uint8_t>> BuiltInPictureFile(HINSTANCE instance, int id) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_BITMAP);
  if (found == nullptr) return std::nullopt;
  HGLOBAL loaded = LoadResource(instance, found);
  const DWORD size = SizeofResource(instance, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return std::nullopt;
  return BitmapFileFromPackedDib(static_cast<const uint8_t*>(bytes), size);
}

bool WritePicture(CaptureRole role, const std::optional<std::vector<uint8_t>>& file,
                  PrivateFileSecurity& security) {
  return file.has_value() && ReplaceWithPrivateFile(HostCapturePath(role), *file, security);
}

}  // namespace

std::vector<uint8_t> CopyPrimaryScreen(int width, int height) {
  std::vector<uint8_t> dib = BlankPackedDib24(width, height);
  if (dib.empty()) return dib;

  // The copy goes straight into a DIB section of the file's own layout, so the rows need no
  // conversion afterwards.
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(dib.data()),
                                     DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr || bits == nullptr) return dib;

  HWND desktop = GetDesktopWindow();
  HDC screen = GetDC(desktop);
  HDC memory = screen != nullptr ? CreateCompatibleDC(screen) : nullptr;
  if (memory != nullptr) {
    HGDIOBJ previous = SelectObject(memory, section);
    if (BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY)) {
      GdiFlush();
      std::memcpy(dib.data() + kPackedDib24PixelOffset, bits, dib.size() - kPackedDib24PixelOffset);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  if (screen != nullptr) ReleaseDC(desktop, screen);
  DeleteObject(section);
  return dib;
}

int WriteCaptureFiles(HINSTANCE instance, const std::vector<uint8_t>& screenDib) {
  PrivateFileSecurity security;
  int written = 0;
  written += WritePicture(kDebrisTexture, BuiltInPictureFile(instance, IDB_SAVER_GLOW), security);
  written += WritePicture(kGroundTexture,
                          BitmapFileFromPackedDib(screenDib.data(), screenDib.size()), security);
  written += WritePicture(kSkyTexture, BuiltInPictureFile(instance, IDB_SAVER_NEBULA), security);
  written += WritePicture(kMeteorTexture, BuiltInPictureFile(instance, IDB_SAVER_EARTH), security);
  return written;
}

void RemoveCaptureFiles() {
  for (const CaptureRole role : kCaptureLoadOrder) {
    DeleteFileW(HostCapturePath(role).c_str());
  }
}
