#pragma once

#include <cstdint>
#include <vector>

// The headers of the Windows bitmap files the asset tools write: uncompressed, bottom row first,
// 96 dots per inch, "colours used" naming the palette's entries. Pixel rows and palettes are the
// tools' own business.

inline constexpr std::uint32_t kBitmapFileHeaderBytes = 14;
inline constexpr std::uint32_t kBitmapInfoHeaderBytes = 40;
inline constexpr std::uint32_t kBitmapPaletteEntryBytes = 4;

// Appends `value` in `bytes` little-endian bytes.
void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes);

// A pixel row's size: rows are padded to whole 32-bit words.
std::uint32_t BitmapRowBytes(int width, int bitsPerPixel);

// The 40-byte info header, as bitmap files and the images of icon and cursor files have it.
void PutBitmapInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bitsPerPixel,
                         std::uint32_t imageBytes, std::uint32_t coloursUsed);

// File header and info header of a whole bitmap file whose `paletteEntries` colours and rows
// follow.
std::vector<std::uint8_t> BitmapFileHeaders(int width, int height, int bitsPerPixel,
                                            std::uint32_t paletteEntries);
