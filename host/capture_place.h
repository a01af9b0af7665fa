#pragma once

#include <bitset>

#include "contract/saver_contract.h"

// Where a saver run puts its four capture files. The shared folder "C:\k_vusa" whenever the run
// can place all four there, as every run does; otherwise a new folder of the run's own, private
// to its user, which the renderer is told of. A file in the shared folder that this run may not
// replace (another user's, kept open by that user's saver or left by a run that never ended), or
// a shared folder it cannot write, then costs this run nothing.

// The capture files one write placed, by role.
using CaptureRoles = std::bitset<kCaptureFileCount>;

enum class CapturePlace {
  Shared,   // "C:\k_vusa": the renderer reads it when started with no arguments
  Own,      // this run's own folder, named on the renderer's command line
  Nowhere,  // no folder holds this run's files alone: the renderer is not started
};

// What placing and removing the files asks of the system.
class CaptureFolders {
 public:
  virtual ~CaptureFolders() = default;
  // Writes the four files into the shared folder, each replacing the old one whole or leaving it
  // as it was; the roles whose file now holds this run's picture.
  virtual CaptureRoles WriteShared() = 0;
  // Deletes the files of `roles` from the shared folder; the roles whose file is not there
  // afterwards.
  virtual CaptureRoles RemoveShared(CaptureRoles roles) = 0;
  // Makes a new, empty folder that only the user (and SYSTEM and the Administrators) can open;
  // false when none could be made.
  virtual bool MakeOwn() = 0;
  // Writes the four files into that folder; the roles written.
  virtual CaptureRoles WriteOwn() = 0;
  // Deletes that folder and every capture file in it.
  virtual void RemoveOwn() = 0;
};

// Writes the files into the shared folder and, when that did not take all four, into a folder
// of the run's own, which is then the place even where it took fewer (a disk too full, say): the
// renderer reads no file there that this run did not write, never an older snapshot of the
// screen, and skips what is missing. The shared folder's capture files are then removed at once,
// those this run wrote there (so that its snapshot lies in one place only) and any older one that
// may go (so that no old snapshot outlives it); what another user's saver holds stays. Where no
// folder of its own can be made, the shared folder is the place only once every file there that
// this run did not write is gone; else the run's files are taken back and there is no place
// (Nowhere).
CapturePlace PlaceCaptureFiles(CaptureFolders& folders);

// At the saver's end: removes the files from where they were placed. In the shared folder every
// capture file goes, whoever left it; in the own folder, the folder goes with them.
void RemovePlacedCaptureFiles(CaptureFolders& folders, CapturePlace place);
