#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_file.h"

// The settings dialog's rules that need no window: the background band, the panel's tiling, where
// the dialog sits, the repeat-track texts and which controls a music kind enables.

struct BandColour {
  std::uint8_t red, green, blue;
  bool operator==(const BandColour& o) const {
    return red == o.red && green == o.green && blue == o.blue;
  }
};

// PaintDialogBackground: the colour of every row y = 0 to `clientHeight`, the last one included:
// v = |sin(y / (clientHeight / 3.142))| x 220 rounded half to even, colour (v, v, v + 30). Navy at
// the top and bottom edges, pale blue-white across the middle. Empty for a height below 1.
std::vector<BandColour> DialogBandRows(int clientHeight);

struct TilePosition {
  int x, y;
  bool operator==(const TilePosition& o) const { return x == o.x && y == o.y; }
};

// TilePanelBackground: where copies of a `tileWidth` x `tileHeight` texture go on a
// `targetWidth` x `targetHeight` box. Down one column until a copy starts below the box, then
// one texture width to the right, until a column starts right of the box; for the panel that is
// one column, and the second one lies wholly outside. A texture without area gives no copies
// (the loop would never move on).
std::vector<TilePosition> PanelTilePositions(int targetWidth, int targetHeight, int tileWidth,
                                             int tileHeight);

// Form_Load's placement: centred across the screen, one third of the free height from the top
// (each free length halved or divided by three with the remainder dropped, toward zero).
struct DialogPlacement {
  int left, top;
};
DialogPlacement PlaceDialog(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight);

// A number formatted with the pattern "##": no leading zeros, and 0 gives the empty text.
std::string FormatTwoHash(int value);

// The 31 list entries of the repeat-track box: "", "1", ..., "30".
std::vector<std::string> RepeatTrackEntries();

// Set's reading of the repeat-track text: a number (blanks around it, sign, fraction, exponent;
// full-width digits as an input method types them) rounded half to even; any other text, the
// empty entry included, and a number outside 16 bits give 0, the whole disc.
std::int16_t RepeatTrackFromText(std::string_view text);

// Which choice image shows as selected and which controls are enabled for a music kind. A kind
// outside 0 to 2 selects nothing and disables both.
struct MusicChoice {
  std::optional<int> selected;  // the control index of the selected image: the kind itself
  bool repeatEnabled = false;   // BGM_Repeat, only for the audio CD
  bool fileEnabled = false;     // Cmd_File, only for an MP3 or WAV file
  bool operator==(const MusicChoice& o) const {
    return selected == o.selected && repeatEnabled == o.repeatEnabled &&
           fileEnabled == o.fileEnabled;
  }
};
MusicChoice MusicChoiceOf(std::int16_t kind);

// SelectMusicKind: the pressed choice becomes the record's kind; the repeat track and the file
// are kept. Another kind than the one shown is a change of the music choice: the music the file
// named but that could not be opened (SettingsRecord::unopenedMusic) is then given up. Returns
// what the dialog shows for it.
MusicChoice SelectMusicKind(SettingsRecord& settings, std::int16_t index);

// The folder the file chooser opens in. A bare drive ("C:") names that drive's current folder on
// Windows, so its root is meant and given.
std::string ChooserStartFolder(const std::string& fileDialogFolder);

// A file chosen in the file chooser: it becomes the record's file and its folder the next start,
// and takes the place of any music that could not be opened.
void TakeChosenFile(SettingsRecord& settings, const std::string& path);

// The user guide beside the program in `programFolder` (as FolderOfPath gives it): the page the
// dialog's link opens.
std::string GuidePath(std::string_view programFolder);
