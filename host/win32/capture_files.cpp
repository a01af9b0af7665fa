#include "host/win32/capture_files.h"

#include <cstring>
#include <optional>
#include <string>

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

// The run's own folders are made in the user's temporary folder, named after the process, and
// the next name is tried while one is taken (a folder left by an earlier process of that id).
constexpr wchar_t kOwnFolderPrefix[] = L"ミレボラ-";
constexpr int kOwnFolderAttempts = 16;
// A capture file the renderer is still reading when the saver ends goes when the renderer closes
// it, and the folder can go only after that: the end waits that long for it, up to this bound.
constexpr DWORD kOwnFolderRemovalWaitMs = 2000;
constexpr DWORD kOwnFolderRemovalStepMs = 20;

std::wstring OwnFolderName(int attempt) {
  return kOwnFolderPrefix + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(attempt);
}

// The user's temporary folder without its trailing "\"; empty when the system names none.
std::wstring TemporaryFolder() {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) {
      std::wstring folder(buffer.data(), length);
      while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) {
        folder.pop_back();
      }
      return folder;
    }
    buffer.resize(length + 1);
  }
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

CaptureFileBytes MakeCaptureFiles(HINSTANCE instance, const std::vector<uint8_t>& screenDib) {
  CaptureFileBytes files;
  files[kDebrisTexture] = BuiltInPictureFile(instance, IDB_SAVER_GLOW);
  files[kGroundTexture] = BitmapFileFromPackedDib(screenDib.data(), screenDib.size());
  files[kSkyTexture] = BuiltInPictureFile(instance, IDB_SAVER_NEBULA);
  files[kMeteorTexture] = BuiltInPictureFile(instance, IDB_SAVER_EARTH);
  return files;
}

void CaptureFiles::Place(const CaptureFileBytes& files) {
  files_ = &files;
  place_ = PlaceCaptureFiles(*this);
  files_ = nullptr;
}

std::optional<std::wstring> CaptureFiles::rendererFolder() const {
  if (place_ == CapturePlace::Own) return ownFolder_;
  return std::nullopt;
}

void CaptureFiles::Remove() { RemovePlacedCaptureFiles(*this, place_); }

template <typename PathOf>
CaptureRoles CaptureFiles::Write(PathOf pathOf) {
  CaptureRoles written;
  for (const CaptureRole role : kCaptureLoadOrder) {
    const std::optional<std::vector<uint8_t>>& file = (*files_)[role];
    written[role] = file.has_value() && ReplaceWithPrivateFile(pathOf(role), *file, security_);
  }
  return written;
}

CaptureRoles CaptureFiles::WriteShared() {
  return Write([](CaptureRole role) { return HostCapturePath(role); });
}

CaptureRoles CaptureFiles::RemoveShared(CaptureRoles roles) {
  CaptureRoles gone;
  for (const CaptureRole role : kCaptureLoadOrder) {
    if (!roles[role]) continue;
    const std::wstring path = HostCapturePath(role);
    DeleteFileW(path.c_str());
    const bool missing = GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    const DWORD error = GetLastError();
    gone[role] = missing && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
  }
  return gone;
}

bool CaptureFiles::MakeOwn() {
  // The folder is made with the files' own access list, so that no one else may even list it;
  // never an existing one, which someone else might have made.
  const std::wstring temporary = TemporaryFolder();
  if (temporary.empty() || security_.attributes() == nullptr) return false;
  for (int attempt = 0; attempt < kOwnFolderAttempts; ++attempt) {
    const std::wstring folder = temporary + L"\\" + OwnFolderName(attempt);
    if (CreateDirectoryW(folder.c_str(), security_.attributes())) {
      ownFolder_ = folder;
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

CaptureRoles CaptureFiles::WriteOwn() {
  if (!ownFolder_) return {};
  const std::wstring& folder = *ownFolder_;
  return Write([&folder](CaptureRole role) { return CapturePathIn(folder, role); });
}

void CaptureFiles::RemoveOwn() {
  if (!ownFolder_) return;
  for (const CaptureRole role : kCaptureLoadOrder) {
    DeleteFileW(CapturePathIn(*ownFolder_, role).c_str());
  }
  for (DWORD waited = 0; !RemoveDirectoryW(ownFolder_->c_str()) &&
                         GetLastError() == ERROR_DIR_NOT_EMPTY && waited < kOwnFolderRemovalWaitMs;
       waited += kOwnFolderRemovalStepMs) {
    Sleep(kOwnFolderRemovalStepMs);
  }
  ownFolder_.reset();
}
