#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The four capture files the renderer turns into its textures, written into "C:\k_vusa" at every
// saver start: 1 the debris glow, 2 a copy of the primary screen, 3 the nebula sky, 4 the Earth.

inline constexpr wchar_t kCaptureFolder[] = L"C:\\k_vusa";

// The full path of capture file `number` (1 to 4).
std::wstring CaptureFilePath(int number);

// The primary screen copied from the desktop's device context, as a packed 24-bit DIB of
// `width` x `height` pixels. Where the copy fails, the picture stays black.
std::vector<uint8_t> CopyPrimaryScreen(int width, int height);

// Writes the four files in the order 1 to 4, each closed before the next is begun. The three
// built-in pictures come from the bitmap resources of `instance`. A file that cannot be written
// (folder missing or read-only, file locked by another program) is skipped. Returns how many files
// were written.
int WriteCaptureFiles(HINSTANCE instance, const std::vector<uint8_t>& screenDib);

// Replaces the file at `path` with `bytes`. False when it could not be created or written whole.
bool WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes);
