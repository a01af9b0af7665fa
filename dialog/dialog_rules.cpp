#include "dialog/dialog_rules.h"

#include <cmath>
#include <limits>

#include "settings/decimal_text.h"

namespace {

// The band's constant: one half sine wave across the client height, with 3.142 for pi.
constexpr double kBandPi = 3.142;
constexpr double kBandBrightest = 220;
constexpr int kBandBlueLift = 30;

constexpr int kRepeatTrackEntryCount = 31;

// Rounds to the nearest integer, halves to the even neighbour, whatever the floating-point
// environment's rounding mode is.
double RoundHalfToEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction > 0.5) return below + 1;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// The text with full-width digits, signs, point and blanks (as typed with an input method) made
// ASCII; other bytes are kept.
std::string AsciiNumberForm(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const auto byte = [&](size_t offset) { return static_cast<unsigned char>(text[at + offset]); };
    if (at + 2 < text.size() && byte(0) == 0xEF && byte(1) == 0xBC) {
      const unsigned char third = byte(2);
      if (third >= 0x90 && third <= 0x99) {  // U+FF10 to U+FF19
        out += static_cast<char>('0' + (third - 0x90));
        at += 3;
        continue;
      }
      if (third == 0x8B || third == 0x8D || third == 0x8E) {  // U+FF0B "+", U+FF0D "-", U+FF0E "."
        out += third == 0x8B ? '+' : third == 0x8D ? '-' : '.';
        at += 3;
        continue;
      }
    }
    if (at + 2 < text.size() && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
      out += ' ';  // U+3000, the ideographic space
      at += 3;
      continue;
    }
    out += text[at++];
  }
  return out;
}

}  // namespace

std::vector<BandColour> DialogBandRows(int clientHeight) {
  std::vector<BandColour> rows;
  if (clientHeight < 1) return rows;
  const double period = clientHeight / kBandPi;
  rows.reserve(static_cast<size_t>(clientHeight) + 1);
  for (int y = 0; y <= clientHeight; ++y) {
    const double v = RoundHalfToEven(std::fabs(std::sin(y / period)) * kBandBrightest);
    const auto level = static_cast<std::uint8_t>(v);
    rows.push_back({level, level, static_cast<std::uint8_t>(level + kBandBlueLift)});
  }
  return rows;
}

std::vector<TilePosition> PanelTilePositions(int targetWidth, int targetHeight, int tileWidth,
                                             int tileHeight) {
  std::vector<TilePosition> tiles;
  if (tileWidth <= 0 || tileHeight <= 0) return tiles;
  int x = 0;
  int y = 0;
  for (;;) {
    tiles.push_back({x, y});
    if (y > targetHeight) {
      if (x > targetWidth) break;
      x += tileWidth;
      y = 0;
    } else {
      y += tileHeight;
    }
  }
  return tiles;
}

DialogPlacement PlaceDialog(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight) {
  // C++ division drops the remainder toward zero, as the placement wants for a dialog larger
  // than the screen too.
  return {(screenWidth - dialogWidth) / 2, (screenHeight - dialogHeight) / 3};
}

std::string FormatTwoHash(int value) { return value == 0 ? std::string() : std::to_string(value); }

std::vector<std::string> RepeatTrackEntries() {
  std::vector<std::string> entries;
  entries.reserve(kRepeatTrackEntryCount);
  for (int i = 0; i < kRepeatTrackEntryCount; ++i) entries.push_back(FormatTwoHash(i));
  return entries;
}

std::int16_t RepeatTrackFromText(std::string_view text) {
  const std::optional<double> value = DecimalTextValue(AsciiNumberForm(text));
  if (!value || !std::isfinite(*value)) return 0;
  const double rounded = RoundHalfToEven(*value);
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    return 0;
  }
  return static_cast<std::int16_t>(rounded);
}

MusicChoice MusicChoiceOf(std::int16_t kind) {
  MusicChoice choice;
  if (kind < MusicNone || kind > MusicFile) return choice;
  choice.selected = kind;
  choice.repeatEnabled = kind == MusicCd;
  choice.fileEnabled = kind == MusicFile;
  return choice;
}

MusicChoice SelectMusicKind(SettingsRecord& settings, std::int16_t index) {
  if (index != settings.bgmKind) settings.unopenedMusic.reset();
  settings.bgmKind = index;
  return MusicChoiceOf(index);
}

std::string ChooserStartFolder(const std::string& fileDialogFolder) {
  if (fileDialogFolder.size() == 2 && fileDialogFolder[1] == ':') return fileDialogFolder + "\\";
  return fileDialogFolder;
}

void TakeChosenFile(SettingsRecord& settings, const std::string& path) {
  settings.unopenedMusic.reset();
  settings.bgmFile = path;
  settings.fileDialogFolder = FolderOfPath(settings.bgmFile);
}

std::string GuidePath(std::string_view programFolder) {
  std::string path(programFolder);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + "guide\\index.html";
}
