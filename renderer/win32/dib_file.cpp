#include "renderer/win32/dib_file.h"

#include <windows.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "scene/dib_decoder.h"

namespace {

constexpr char kErrorCaption[] = "Error";
constexpr wchar_t kErrorCaptionWide[] = L"Error";

std::string Utf8FromWide(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();
  return utf8;
}

std::wstring WideFromUtf8(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (size <= 1) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), size);
  wide.pop_back();
  return wide;
}

void ShowDibError(DibError error, const char* path) {
  const std::string text = DibErrorMessage(error, path);
  MessageBoxA(GetFocus(), text.c_str(), kErrorCaption, MB_OK);
}

void ShowDibError(DibError error, const wchar_t* path) {
  const std::wstring text = WideFromUtf8(DibErrorMessage(error, Utf8FromWide(path)));
  MessageBoxW(GetFocus(), text.c_str(), kErrorCaptionWide, MB_OK);
}

constexpr DWORD kShareWithHost = FILE_SHARE_READ | FILE_SHARE_DELETE;

HANDLE OpenForReading(const char* path) {
  return CreateFileA(path, GENERIC_READ, kShareWithHost, nullptr, OPEN_EXISTING,
                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

HANDLE OpenForReading(const wchar_t* path) {
  return CreateFileW(path, GENERIC_READ, kShareWithHost, nullptr, OPEN_EXISTING,
                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Whether the C runtime can open the file for reading, as the loader asks before it reads one.
bool CanOpen(const char* path) {
  std::FILE* probe = std::fopen(path, "r");
  if (probe == nullptr) return false;
  std::fclose(probe);
  return true;
}

bool CanOpen(const wchar_t* path) {
  std::FILE* probe = _wfopen(path, L"r");
  if (probe == nullptr) return false;
  std::fclose(probe);
  return true;
}

// A whole capture file read into memory. It is opened so that the host may delete it meanwhile
// (the snapshot of the screen must not outlive the saver, and the host removes the files as soon
// as it ends, perhaps while the renderer is still reading them): the deletion then takes effect
// when the file is closed. A mapped view would make the deletion fail instead.
struct FileBytes {
  std::vector<uint8_t> bytes;

  // False when the file cannot be opened or read, or is empty.
  template <typename Char>
  bool Read(const Char* path) {
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) {
      return false;
    }
    bool read = false;
    LARGE_INTEGER fileSize{};
    if (GetFileSizeEx(file, &fileSize) && fileSize.QuadPart > 0 &&
        static_cast<unsigned long long>(fileSize.QuadPart) <= kLargestFile) {
      bytes.resize(static_cast<size_t>(fileSize.QuadPart));
      read = ReadAll(file);
    }
    CloseHandle(file);
    return read;
  }

 private:
  // A file larger than any screen's snapshot is not read whole (ReadFile takes 32-bit counts).
  static constexpr unsigned long long kLargestFile = 0x7FFFFFFF;

  bool ReadAll(HANDLE file) {
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD got = 0;
      if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                    nullptr) ||
          got == 0) {
        return false;
      }
      done += got;
    }
    return true;
  }
};

template <typename Char>
std::optional<RgbImage> ReadAndDecode(const Char* path) {
  FileBytes file;
  DibDecodeResult result;
  try {
    if (!file.Read(path)) {
      ShowDibError(DibError::OpenFailed, path);
      return std::nullopt;
    }
    result = DecodeDib(file.bytes.data(), file.bytes.size());
  } catch (const std::bad_alloc&) {
    result.error = DibError::OutOfMemory;
  }
  if (!result.image) {
    ShowDibError(result.error, path);
    return std::nullopt;
  }
  return std::move(result.image);
}

}  // namespace

std::optional<RgbImage> ReadDibFile(const char* path) { return ReadAndDecode(path); }

std::optional<RgbImage> ReadDibFile(const wchar_t* path) { return ReadAndDecode(path); }

std::optional<RgbImage> DibFileLoader::LoadCaptureImage(CaptureRole role) {
  if (folder_) {
    const std::wstring path = CapturePathIn(*folder_, role);
    if (!CanOpen(path.c_str())) return std::nullopt;
    return ReadDibFile(path.c_str());
  }
  const std::string path = RendererCapturePath(role);
  if (!CanOpen(path.c_str())) return std::nullopt;
  return ReadDibFile(path.c_str());
}
