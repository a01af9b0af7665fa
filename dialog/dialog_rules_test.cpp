#include "dialog/dialog_rules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DialogBand, RunsFromNavyThroughPaleBlueBackToNavy) {
  const std::vector<BandColour> rows = DialogBandRows(246);
  ASSERT_EQ(rows.size(), 247u);  // rows 0 to 246, the last one included
  EXPECT_EQ(rows.front(), (BandColour{0, 0, 30}));
  EXPECT_EQ(rows.back(), (BandColour{0, 0, 30}));
  EXPECT_EQ(rows[123], (BandColour{220, 220, 250}));
  for (const BandColour& row : rows) {
    EXPECT_EQ(row.red, row.green);
    EXPECT_EQ(row.blue, row.red + 30);
    EXPECT_LE(row.blue, 250);
  }
  // Rising to the middle, falling after it.
  for (size_t y = 1; y <= 123; ++y) EXPECT_GE(rows[y].red, rows[y - 1].red) << y;
  for (size_t y = 124; y < rows.size(); ++y) EXPECT_LE(rows[y].red, rows[y - 1].red) << y;
}

TEST(DialogBand, UsesThePeriodOfTheClientHeightOver3142) {
  // With the constant 3.142 (not pi) row y of a 246-row band is |sin(y x 3.142 / 246)| x 220.
  const std::vector<BandColour> rows = DialogBandRows(246);
  for (int y : {1, 10, 50, 100, 200, 245}) {
    const double exact = std::fabs(std::sin(y * 3.142 / 246)) * 220;
    EXPECT_NEAR(rows[static_cast<size_t>(y)].red, exact, 0.5) << y;
  }
  EXPECT_EQ(rows[1].red, 3);      // 2.8097...
  EXPECT_EQ(rows[10].red, 28);    // 27.979...
  EXPECT_EQ(rows[109].red, 217);  // 216.5002 with 3.142; pi gives just under 216.5
}

TEST(DialogBand, StaysWithinHalfALevelOfTheExactBandAtAnyHeight) {
  for (int height : {1, 2, 3, 7, 100, 480}) {
    const std::vector<BandColour> rows = DialogBandRows(height);
    ASSERT_EQ(rows.size(), static_cast<size_t>(height) + 1);
    for (int y = 0; y <= height; ++y) {
      const double exact = std::fabs(std::sin(y / (height / 3.142))) * 220;
      EXPECT_LE(std::fabs(rows[static_cast<size_t>(y)].red - exact), 0.5) << height << " " << y;
    }
  }
  EXPECT_TRUE(DialogBandRows(0).empty());
  EXPECT_TRUE(DialogBandRows(-5).empty());
}

TEST(PanelTiles, OneColumnOfTenTilesForThePanel) {
  const std::vector<TilePosition> tiles = PanelTilePositions(469, 165, 556, 20);
  // Rows 0 to 180 at x = 0, then a column at 556 that lies wholly right of the panel.
  ASSERT_EQ(tiles.size(), 20u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(tiles[static_cast<size_t>(i)], (TilePosition{0, 20 * i}));
    EXPECT_EQ(tiles[static_cast<size_t>(10 + i)], (TilePosition{556, 20 * i}));
  }
  int insidePanel = 0;
  for (const TilePosition& tile : tiles) insidePanel += tile.x < 469 && tile.y < 165;
  EXPECT_EQ(insidePanel, 9);  // rows 0 to 160; the tile at 180 starts below the panel
}

TEST(PanelTiles, CoverAWideBoxColumnByColumn) {
  const std::vector<TilePosition> tiles = PanelTilePositions(25, 10, 10, 5);
  // A column goes on until a tile starts below the box (y > 10); columns until one starts right
  // of it (x > 25).
  const std::vector<TilePosition> expected{
      {0, 0},  {0, 5},  {0, 10},  {0, 15},  {10, 0}, {10, 5}, {10, 10}, {10, 15},
      {20, 0}, {20, 5}, {20, 10}, {20, 15}, {30, 0}, {30, 5}, {30, 10}, {30, 15}};
  EXPECT_EQ(tiles, expected);
}

TEST(PanelTiles, ATextureWithoutAreaGivesNoCopiesInsteadOfLoopingForever) {
  EXPECT_TRUE(PanelTilePositions(469, 165, 0, 20).empty());
  EXPECT_TRUE(PanelTilePositions(469, 165, 556, 0).empty());
  EXPECT_TRUE(PanelTilePositions(469, 165, -1, 20).empty());
}

TEST(DialogPlacement, CentredAcrossAndAThirdDown) {
  const DialogPlacement place = PlaceDialog(1024, 768, 501, 275);
  EXPECT_EQ(place.left, 261);  // 523 / 2, remainder dropped
  EXPECT_EQ(place.top, 164);   // 493 / 3, remainder dropped
  // Larger than the screen: toward zero, not toward minus infinity.
  const DialogPlacement over = PlaceDialog(400, 200, 501, 275);
  EXPECT_EQ(over.left, -50);  // -101 / 2
  EXPECT_EQ(over.top, -25);   // -75 / 3
  const DialogPlacement odd = PlaceDialog(400, 270, 501, 275);
  EXPECT_EQ(odd.top, -1);  // -5 / 3
}

TEST(RepeatTrackTexts, TwoHashFormatAndTheListOf31) {
  EXPECT_EQ(FormatTwoHash(0), "");
  EXPECT_EQ(FormatTwoHash(7), "7");
  EXPECT_EQ(FormatTwoHash(12), "12");
  EXPECT_EQ(FormatTwoHash(123), "123");
  EXPECT_EQ(FormatTwoHash(-4), "-4");
  const std::vector<std::string> entries = RepeatTrackEntries();
  ASSERT_EQ(entries.size(), 31u);
  EXPECT_EQ(entries.front(), "");
  EXPECT_EQ(entries[1], "1");
  EXPECT_EQ(entries[9], "9");
  EXPECT_EQ(entries.back(), "30");
}

TEST(RepeatTrackTexts, SetTakesNumbersRoundedHalfToEvenElseZero) {
  EXPECT_EQ(RepeatTrackFromText("12"), 12);
  EXPECT_EQ(RepeatTrackFromText(""), 0);
  EXPECT_EQ(RepeatTrackFromText("abc"), 0);
  EXPECT_EQ(RepeatTrackFromText("12abc"), 0);
  EXPECT_EQ(RepeatTrackFromText(" 7 "), 7);
  EXPECT_EQ(RepeatTrackFromText("2.5"), 2);
  EXPECT_EQ(RepeatTrackFromText("3.5"), 4);
  EXPECT_EQ(RepeatTrackFromText("2.51"), 3);
  EXPECT_EQ(RepeatTrackFromText("-2.5"), -2);
  EXPECT_EQ(RepeatTrackFromText("+5"), 5);
  EXPECT_EQ(RepeatTrackFromText("1e1"), 10);
  EXPECT_EQ(RepeatTrackFromText(".5"), 0);
  EXPECT_EQ(RepeatTrackFromText("."), 0);
  EXPECT_EQ(RepeatTrackFromText("-"), 0);
  EXPECT_EQ(RepeatTrackFromText("1e"), 0);
  // Full-width digits, as typed with an input method.
  EXPECT_EQ(RepeatTrackFromText("１２"), 12);
  EXPECT_EQ(RepeatTrackFromText("\xE3\x80\x80１"), 1);
}

TEST(RepeatTrackTexts, NumbersOutside16BitsGiveTheWholeDisc) {
  EXPECT_EQ(RepeatTrackFromText("32767"), 32767);
  EXPECT_EQ(RepeatTrackFromText("32767.4"), 32767);
  EXPECT_EQ(RepeatTrackFromText("32767.5"), 0);  // rounds to 32768
  EXPECT_EQ(RepeatTrackFromText("-32768"), -32768);
  EXPECT_EQ(RepeatTrackFromText("-32768.5"), -32768);  // halves to even: -32768
  EXPECT_EQ(RepeatTrackFromText("-32769"), 0);
  EXPECT_EQ(RepeatTrackFromText("1e400"), 0);
  EXPECT_EQ(RepeatTrackFromText("99999999999999999999999"), 0);
}

TEST(MusicChoices, EachKindEnablesItsOwnControl) {
  EXPECT_EQ(MusicChoiceOf(MusicNone), (MusicChoice{0, false, false}));
  EXPECT_EQ(MusicChoiceOf(MusicCd), (MusicChoice{1, true, false}));
  EXPECT_EQ(MusicChoiceOf(MusicFile), (MusicChoice{2, false, true}));
  // A stored kind outside 0 to 2 selects nothing and disables both.
  EXPECT_EQ(MusicChoiceOf(3), (MusicChoice{std::nullopt, false, false}));
  EXPECT_EQ(MusicChoiceOf(-1), (MusicChoice{std::nullopt, false, false}));
}

TEST(MusicChoices, SelectingKeepsTheFileAndTheTrack) {
  SettingsRecord settings;
  settings.bgmKind = MusicFile;
  settings.bgmFile = "C:\\Music\\a.mp3";
  settings.bgmRepeatTrack = 5;
  EXPECT_EQ(SelectMusicKind(settings, MusicNone), (MusicChoice{0, false, false}));
  EXPECT_EQ(settings.bgmKind, MusicNone);
  EXPECT_EQ(settings.bgmFile, "C:\\Music\\a.mp3");
  EXPECT_EQ(settings.bgmRepeatTrack, 5);
  EXPECT_EQ(SelectMusicKind(settings, MusicCd), (MusicChoice{1, true, false}));
  EXPECT_EQ(settings.bgmKind, MusicCd);
}

// Music the file names but that could not be opened stays chosen until the user picks another
// kind or another file; pressing the kind already shown changes nothing.
TEST(MusicChoices, UnopenedMusicIsGivenUpOnlyForAnotherChoice) {
  SettingsRecord settings;
  settings.unopenedMusic = StoredMusic{MusicFile, "Q:\\a.mp3"};
  SelectMusicKind(settings, MusicNone);
  EXPECT_TRUE(settings.unopenedMusic);
  SelectMusicKind(settings, MusicCd);
  EXPECT_FALSE(settings.unopenedMusic);

  settings.unopenedMusic = StoredMusic{MusicFile, "Q:\\a.mp3"};
  SelectMusicKind(settings, MusicCd);
  EXPECT_TRUE(settings.unopenedMusic);
  TakeChosenFile(settings, "D:\\b.mp3");
  EXPECT_FALSE(settings.unopenedMusic);
}

TEST(FileChooser, StartsInTheFileFolderAndTakesTheChosenFile) {
  EXPECT_EQ(ChooserStartFolder("C:\\Music"), "C:\\Music");
  EXPECT_EQ(ChooserStartFolder("C:"), "C:\\");  // the drive's root, not its current folder
  EXPECT_EQ(ChooserStartFolder(""), "");
  EXPECT_EQ(ChooserStartFolder("\\\\server\\share"), "\\\\server\\share");
  SettingsRecord settings;
  settings.fileDialogFolder = "C:\\Program";
  TakeChosenFile(settings, "D:\\音楽\\曲.mp3");
  EXPECT_EQ(settings.bgmFile, "D:\\音楽\\曲.mp3");
  EXPECT_EQ(settings.fileDialogFolder, "D:\\音楽");
}

TEST(UserGuide, LiesInTheGuideFolderBesideTheProgram) {
  const auto beside = [](const char* program) { return GuidePath(FolderOfPath(program)); };
  EXPECT_EQ(beside("C:\\Program Files\\ミレボラ\\ミレボラ.scr"),
            "C:\\Program Files\\ミレボラ\\guide\\index.html");
  EXPECT_EQ(beside("D:\\ミレボラ.scr"), "D:\\guide\\index.html");
  EXPECT_EQ(beside("\\\\server\\share\\ミレボラ.scr"), "\\\\server\\share\\guide\\index.html");
}

}  // namespace
