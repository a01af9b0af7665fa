#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "contract/saver_contract.h"
#include "host/capture_place.h"
#include "host/win32/private_file.h"

// The four capture files the renderer turns into its textures (contract/saver_contract.h): 1 the
// debris glow, 2 a copy of the primary screen, 3 the nebula sky, 4 the Earth. Written at every
// saver start into "C:\k_vusa", or into a folder of the run's own when they cannot all go there
// (host/capture_place.h).

// The primary screen copied from the desktop's device context, as a packed 24-bit DIB of
// `width` x `height` pixels. Where the copy fails, the picture stays black.
std::vector<uint8_t> CopyPrimaryScreen(int width, int height);

// The bytes of the four files, by role; none for a picture that could not be made. The three
// built-in pictures come from the bitmap resources of `instance`.
using CaptureFileBytes = std::array<std::optional<std::vector<uint8_t>>, kCaptureFileCount>;
CaptureFileBytes MakeCaptureFiles(HINSTANCE instance, const std::vector<uint8_t>& screenDib);

// This run's capture files in their folders. Every file is written in the order 1 to 4, each
// complete before the next is begun, private to the user running the host (the snapshot shows
// whatever was on the screen), and replaces the old one whole: a file that cannot be written
// (folder missing or read-only, disk full, file kept open or owned by another user) is skipped
// and its old file stays as it was.
class CaptureFiles final : public CaptureFolders {
 public:
  // Writes the files into their place.
  void Place(const CaptureFileBytes& files);
  // Whether the files found a place the renderer may read: else it is not started.
  bool placed() const { return place_ != CapturePlace::Nowhere; }
  // The folder to name to the renderer: none when it is the shared folder.
  std::optional<std::wstring> rendererFolder() const;
  // Removes the files (and this run's own folder), so that the snapshot does not outlast the
  // saver. The renderer has read them by then: it reads them once, when it starts.
  void Remove();

  CaptureRoles WriteShared() override;
  CaptureRoles RemoveShared(CaptureRoles roles) override;
  bool MakeOwn() override;
  CaptureRoles WriteOwn() override;
  void RemoveOwn() override;

 private:
  template <typename PathOf>
  CaptureRoles Write(PathOf pathOf);

  PrivateFileSecurity security_;
  const CaptureFileBytes* files_ = nullptr;  // while they are placed
  std::optional<std::wstring> ownFolder_;
  CapturePlace place_ = CapturePlace::Shared;
};
