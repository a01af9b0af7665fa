#include "renderer/win32/dib_file.h"

#include <windows.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "scene/dib_decoder.h"

namespace {

constexpr char kErrorCaption[] = "Error";

void ShowDibError(DibError error, const char* path) {
  const std::string text = DibErrorMessage(error, path);
  MessageBoxA(GetFocus(), text.c_str(), kErrorCaption, MB_OK);
}

// A whole capture file read into memory. It is opened so that the host may delete it meanwhile
// (the snapshot of the screen must not outlive the saver, and the host removes the files as soon
// as it ends, perhaps while the renderer is still reading them): the deletion then takes effect
// when the file is closed. A mapped view would make the deletion fail instead.
struct FileBytes {
  std::vector<uint8_t> bytes;

  // False when the file cannot be opened or read, or is empty.
  bool Read(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
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

}  // namespace

std::optional<RgbImage> ReadDibFile(const char* path) {
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

std::optional<RgbImage> DibFileLoader::LoadCaptureImage(CaptureRole role) {
  const std::string path = RendererCapturePath(role);
  std::FILE* probe = std::fopen(path.c_str(), "r");
  if (probe == nullptr) {
    return std::nullopt;
  }
  std::fclose(probe);
  return ReadDibFile(path.c_str());
}
