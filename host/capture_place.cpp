#include "host/capture_place.h"

CapturePlace PlaceCaptureFiles(CaptureFolders& folders) {
  const CaptureRoles shared = folders.WriteShared();
  if (shared.all()) return CapturePlace::Shared;
  if (!folders.MakeOwn()) {
    const CaptureRoles gone = folders.RemoveShared(~shared);
    if ((shared | gone).all()) return CapturePlace::Shared;
    if (shared.any()) folders.RemoveShared(shared);
    return CapturePlace::Nowhere;
  }
  // The own folder was new and empty: whatever it holds now is this run's, however few.
  folders.WriteOwn();
  folders.RemoveShared(CaptureRoles().set());
  return CapturePlace::Own;
}

void RemovePlacedCaptureFiles(CaptureFolders& folders, CapturePlace place) {
  if (place == CapturePlace::Own) {
    folders.RemoveOwn();
  } else if (place == CapturePlace::Shared) {
    folders.RemoveShared(CaptureRoles().set());
  }
}
