#include "host/capture_place.h"

CapturePlace PlaceCaptureFiles(CaptureFolders& folders) {
  const CaptureRoles shared = folders.WriteShared();
  if (shared.all() || !folders.MakeOwn()) return CapturePlace::Shared;
  const CaptureRoles own = folders.WriteOwn();
  if (own.count() <= shared.count()) {
    folders.RemoveOwn();
    return CapturePlace::Shared;
  }
  if (shared.any()) folders.RemoveShared(shared);
  return CapturePlace::Own;
}

void RemovePlacedCaptureFiles(CaptureFolders& folders, CapturePlace place) {
  if (place == CapturePlace::Own) {
    folders.RemoveOwn();
  } else {
    folders.RemoveShared(CaptureRoles().set());
  }
}
