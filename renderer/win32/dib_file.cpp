#include "renderer/win32/dib_file.h"

#include <windows.h>

#include <cstdio>
#include <new>
#include <string>

#include "renderer/dib_decoder.h"

namespace {

constexpr char kErrorCaption[] = "Error";

void ShowDibError(DibError error, const char* path) {
  const std::string text = DibErrorMessage(error, path);
  MessageBoxA(GetFocus(), text.c_str(), kErrorCaption, MB_OK);
}

// A read-only view of a whole file; the handles are released in the reverse order.
struct MappedFile {
  HANDLE file = INVALID_HANDLE_VALUE;
  HANDLE mapping = nullptr;
  const uint8_t* view = nullptr;
  size_t size = 0;

  ~MappedFile() {
    if (view != nullptr) {
      UnmapViewOfFile(view);
    }
    if (mapping != nullptr) {
      CloseHandle(mapping);
    }
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
    }
  }

  // False when the file cannot be opened, mapped or viewed (an empty file cannot be mapped).
  bool Open(const char* path) {
    file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return false;
    }
    LARGE_INTEGER fileSize{};
    if (!GetFileSizeEx(file, &fileSize) || fileSize.QuadPart <= 0 ||
        static_cast<unsigned long long>(fileSize.QuadPart) > SIZE_MAX) {
      return false;
    }
    size = static_cast<size_t>(fileSize.QuadPart);
    mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) {
      return false;
    }
    view = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    return view != nullptr;
  }
};

}  // namespace

std::optional<RgbImage> ReadDibFile(const char* path) {
  MappedFile mapped;
  if (!mapped.Open(path)) {
    ShowDibError(DibError::OpenFailed, path);
    return std::nullopt;
  }
  DibDecodeResult result;
  try {
    result = DecodeDib(mapped.view, mapped.size);
  } catch (const std::bad_alloc&) {
    result.error = DibError::OutOfMemory;
  }
  if (!result.image) {
    ShowDibError(result.error, path);
    return std::nullopt;
  }
  return std::move(result.image);
}

std::optional<RgbImage> DibFileLoader::LoadCaptureImage(const char* path) {
  std::FILE* probe = std::fopen(path, "r");
  if (probe == nullptr) {
    return std::nullopt;
  }
  std::fclose(probe);
  return ReadDibFile(path);
}
