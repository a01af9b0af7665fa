// Picture files of the tool: Windows bitmap files out, a PPM of the Earth map in.
#include <cctype>
#include <cstddef>

#include "bitmap_headers.h"
#include "saver_picture_makers.h"

namespace {

constexpr uint32_t kPaletteEntries = 256;

void PadRow(std::vector<uint8_t>& out, uint32_t written, uint32_t rowBytes) {
  for (; written < rowBytes; ++written) out.push_back(0);
}

}  // namespace

std::vector<uint8_t> PalettedBitmapFile(const PalettedPicture& picture) {
  std::vector<uint8_t> out = BitmapFileHeaders(picture.width, picture.height, 8, kPaletteEntries);
  for (uint32_t i = 0; i < kPaletteEntries; ++i) {
    const Rgb8 colour = i < picture.palette.size() ? picture.palette[i] : Rgb8{};
    out.insert(out.end(), {colour.blue, colour.green, colour.red, 0});
  }
  const uint32_t rowBytes = BitmapRowBytes(picture.width, 8);
  for (int y = picture.height - 1; y >= 0; --y) {
    const auto row = picture.indices.begin() + static_cast<ptrdiff_t>(y) * picture.width;
    out.insert(out.end(), row, row + picture.width);
    PadRow(out, static_cast<uint32_t>(picture.width), rowBytes);
  }
  return out;
}

std::vector<uint8_t> RgbBitmapFile(const RgbPicture& picture) {
  std::vector<uint8_t> out = BitmapFileHeaders(picture.width, picture.height, 24, 0);
  const uint32_t rowBytes = BitmapRowBytes(picture.width, 24);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb8 c = picture.at(x, y);
      out.insert(out.end(), {c.blue, c.green, c.red});
    }
    PadRow(out, static_cast<uint32_t>(picture.width) * 3, rowBytes);
  }
  return out;
}

namespace {

// Reads the PPM header's fields: whitespace and '#' comments between them, decimal numbers.
class PpmHeaderReader {
 public:
  explicit PpmHeaderReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  std::optional<int> Number(int largest) {
    SkipBlanksAndComments();
    if (pos_ >= bytes_.size() || !std::isdigit(bytes_[pos_])) return std::nullopt;
    long value = 0;
    while (pos_ < bytes_.size() && std::isdigit(bytes_[pos_])) {
      value = value * 10 + (bytes_[pos_++] - '0');
      if (value > largest) return std::nullopt;
    }
    return static_cast<int>(value);
  }

  // The single whitespace byte that ends the header; the pixels start after it.
  bool EndOfHeader() {
    if (pos_ >= bytes_.size() || !std::isspace(bytes_[pos_])) return false;
    ++pos_;
    return true;
  }

  size_t position() const { return pos_; }
  void Skip(size_t count) { pos_ += count; }

 private:
  void SkipBlanksAndComments() {
    while (pos_ < bytes_.size()) {
      if (std::isspace(bytes_[pos_])) {
        ++pos_;
      } else if (bytes_[pos_] == '#') {
        while (pos_ < bytes_.size() && bytes_[pos_] != '\n') ++pos_;
      } else {
        return;
      }
    }
  }

  const std::vector<uint8_t>& bytes_;
  size_t pos_ = 0;
};

}  // namespace

std::optional<RgbPicture> ParsePpm(const std::vector<uint8_t>& bytes, std::string& error) {
  if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') {
    error = "not a binary PPM (P6) file";
    return std::nullopt;
  }
  PpmHeaderReader reader(bytes);
  reader.Skip(2);
  const std::optional<int> width = reader.Number(kLargestPpmSide);
  const std::optional<int> height = reader.Number(kLargestPpmSide);
  const std::optional<int> maxval = reader.Number(65535);
  if (!width || !height || !maxval || *width == 0 || *height == 0 || !reader.EndOfHeader()) {
    error = "bad PPM header or a side above " + std::to_string(kLargestPpmSide);
    return std::nullopt;
  }
  if (*maxval != 255) {
    error = "PPM samples must be 8 bits (maxval 255)";
    return std::nullopt;
  }
  const size_t pixelCount = static_cast<size_t>(*width) * static_cast<size_t>(*height);
  if (bytes.size() - reader.position() < pixelCount * 3) {
    error = "PPM pixel data cut short";
    return std::nullopt;
  }
  RgbPicture picture{*width, *height, std::vector<Rgb8>(pixelCount)};
  const uint8_t* data = bytes.data() + reader.position();
  for (size_t i = 0; i < pixelCount; ++i) {
    picture.pixels[i] = {data[3 * i], data[3 * i + 1], data[3 * i + 2]};
  }
  return picture;
}
