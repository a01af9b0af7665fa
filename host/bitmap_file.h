#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Windows bitmap files from packed device-independent bitmaps: the info header, the colour table
// or colour masks, then the pixel rows, as bitmap resources hold them and as a screen copy comes
// back from the system. A bitmap file is the same bytes behind a 14-byte file header that says
// where the pixel rows begin.

inline constexpr size_t kBitmapFileHeaderSize = 14;

// The whole file for a packed DIB. std::nullopt when the bytes are not a DIB the renderer could
// read back whole: an info header shorter than 40 bytes or longer than the data, a width or height
// of 0, a colour table, masks or uncompressed pixel rows that run past the end, or more than 4 GiB.
std::optional<std::vector<uint8_t>> BitmapFileFromPackedDib(const uint8_t* dib, size_t size);

// A packed 24-bit DIB of `width` x `height` pixels, bottom row first, each row padded to four
// bytes, all black: the shape a screen copy is read into.
std::vector<uint8_t> BlankPackedDib24(int32_t width, int32_t height);

// Where the pixel rows of a packed DIB made by BlankPackedDib24 begin.
inline constexpr size_t kPackedDib24PixelOffset = 40;
