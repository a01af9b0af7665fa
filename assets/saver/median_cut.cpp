// Median-cut colour reduction: the picture's colours are split again and again at the median of
// a box chosen for its width and use, and each box becomes the mean of its pixels.
#include <algorithm>
#include <array>
#include <cstddef>

#include "saver_picture_makers.h"

namespace {

constexpr size_t kPaletteSize = 256;

struct ColourCount {
  std::array<int, 3> channels;
  size_t count;
};

uint32_t Packed(Rgb8 c) { return uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue; }

// The picture's distinct colours with their pixel counts, in packed order.
std::vector<ColourCount> Histogram(const RgbPicture& picture) {
  std::vector<uint32_t> packed;
  packed.reserve(picture.pixels.size());
  for (Rgb8 c : picture.pixels) packed.push_back(Packed(c));
  std::sort(packed.begin(), packed.end());
  std::vector<ColourCount> colours;
  for (size_t i = 0; i < packed.size();) {
    size_t j = i;
    while (j < packed.size() && packed[j] == packed[i]) ++j;
    const uint32_t p = packed[i];
    colours.push_back({{int(p >> 16), int((p >> 8) & 255), int(p & 255)}, j - i});
    i = j;
  }
  return colours;
}

struct Box {
  size_t begin, end;  // a range of the histogram
  size_t pixels = 0;
  int widestChannel = 0;
  int width = 0;  // extent along that channel
};

Box Measure(const std::vector<ColourCount>& colours, size_t begin, size_t end) {
  Box box{begin, end};
  std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
  for (size_t i = begin; i < end; ++i) {
    box.pixels += colours[i].count;
    for (int c = 0; c < 3; ++c) {
      low[c] = std::min(low[c], colours[i].channels[c]);
      high[c] = std::max(high[c], colours[i].channels[c]);
    }
  }
  for (int c = 0; c < 3; ++c) {
    if (high[c] - low[c] > box.width) {
      box.width = high[c] - low[c];
      box.widestChannel = c;
    }
  }
  return box;
}

// Splits the box at the pixel-weighted median of its widest channel; both halves keep at least
// one colour.
std::pair<Box, Box> Split(std::vector<ColourCount>& colours, const Box& box) {
  const int channel = box.widestChannel;
  std::stable_sort(colours.begin() + static_cast<ptrdiff_t>(box.begin),
                   colours.begin() + static_cast<ptrdiff_t>(box.end),
                   [channel](const ColourCount& a, const ColourCount& b) {
                     return a.channels[channel] < b.channels[channel];
                   });
  size_t seen = 0, cut = box.begin + 1;
  for (size_t i = box.begin; i + 1 < box.end; ++i) {
    seen += colours[i].count;
    cut = i + 1;
    if (2 * seen >= box.pixels) break;
  }
  return {Measure(colours, box.begin, cut), Measure(colours, cut, box.end)};
}

Rgb8 MeanColour(const std::vector<ColourCount>& colours, const Box& box) {
  std::array<size_t, 3> sums{};
  for (size_t i = box.begin; i < box.end; ++i) {
    for (int c = 0; c < 3; ++c) sums[c] += colours[i].count * size_t(colours[i].channels[c]);
  }
  auto mean = [&](int c) { return static_cast<uint8_t>((sums[c] + box.pixels / 2) / box.pixels); };
  return {mean(0), mean(1), mean(2)};
}

int DistanceSquared(Rgb8 a, Rgb8 b) {
  const int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
  return dr * dr + dg * dg + db * db;
}

uint8_t Nearest(const std::vector<Rgb8>& palette, Rgb8 colour) {
  size_t best = 0;
  int bestDistance = DistanceSquared(palette[0], colour);
  for (size_t i = 1; i < palette.size() && bestDistance > 0; ++i) {
    const int distance = DistanceSquared(palette[i], colour);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<uint8_t>(best);
}

int Luma(Rgb8 c) { return 299 * c.red + 587 * c.green + 114 * c.blue; }

}  // namespace

PalettedPicture QuantizeTo256(const RgbPicture& picture) {
  PalettedPicture out{picture.width, picture.height, {}, {}};
  std::vector<ColourCount> colours = Histogram(picture);
  std::vector<Box> boxes;
  if (!colours.empty()) boxes.push_back(Measure(colours, 0, colours.size()));
  while (boxes.size() < kPaletteSize) {
    // First the boxes that are wide and much used, for the broad areas; then the widest alone,
    // so that rare colours far from the rest (the stars) get entries of their own.
    const bool byWidthAlone = boxes.size() >= kPaletteSize / 2;
    auto chosen = boxes.end();
    size_t bestScore = 0;
    for (auto box = boxes.begin(); box != boxes.end(); ++box) {
      const size_t score = byWidthAlone ? size_t(box->width) : size_t(box->width) * box->pixels;
      if (box->end - box->begin > 1 && score > bestScore) {
        bestScore = score;
        chosen = box;
      }
    }
    if (chosen == boxes.end()) break;
    const auto halves = Split(colours, *chosen);
    *chosen = halves.first;
    boxes.push_back(halves.second);
  }
  for (const Box& box : boxes) out.palette.push_back(MeanColour(colours, box));
  // Dark to light, which makes the table easy to read; ties keep the packed order.
  std::stable_sort(out.palette.begin(), out.palette.end(),
                   [](Rgb8 a, Rgb8 b) { return Luma(a) < Luma(b); });
  out.palette.resize(kPaletteSize, Rgb8{});
  out.indices.reserve(picture.pixels.size());
  for (Rgb8 c : picture.pixels) out.indices.push_back(Nearest(out.palette, c));
  return out;
}
