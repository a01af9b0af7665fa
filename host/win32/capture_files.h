#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The four capture files the renderer turns into its textures (contract/saver_contract.h), written
// into "C:\k_vusa" at every saver start: 1 the debris glow, 2 a copy of the primary screen, 3 the
// nebula sky, 4 the Earth.

// The primary screen copied from the desktop's device context, as a packed 24-bit DIB of
// `width` x `height` pixels. Where the copy fails, the picture stays black.
std::vector<uint8_t> CopyPrimaryScreen(int width, int height);

// Writes the four files in the order 1 to 4, each complete before the next is begun. The three
// built-in pictures come from the bitmap resources of `instance`. Each file is private to the
// user running the host (the snapshot shows whatever was on the screen) and replaces the old one
// whole: a file that cannot be written (folder missing or read-only, disk full, file locked by
// another program) is skipped and its old file stays as it was. Returns how many files were
// written.
int WriteCaptureFiles(HINSTANCE instance, const std::vector<uint8_t>& screenDib);

// Deletes the four files, so that the snapshot does not outlast the saver. The renderer has read
// them by then: it reads them once, when it starts.
void RemoveCaptureFiles();
