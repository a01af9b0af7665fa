#include "controls/command_geometry.h"

#include <gtest/gtest.h>

namespace {

constexpr float kPixel = 15.0f;  // twips per pixel at 96 dpi

CommandSurface SurfaceOfPixels(int width, int height) {
  CommandSurface surface;
  surface.widthTwips = width * kPixel;
  surface.heightTwips = height * kPixel;
  return surface;
}

void ExpectPiece(const FramePiece& piece, PixelRect source, PixelRect destination, bool stretched) {
  EXPECT_EQ(piece.source, source);
  EXPECT_EQ(piece.destination, destination);
  EXPECT_EQ(piece.Stretched(), stretched);
}

// An 81 x 25 pixel control, 1215 x 375 twips, worked by hand: IW = 1215 - 120 = 1095 (73 px),
// IH = 375 - 120 = 255 (17 px); the right column starts at 60 + 1095 = 1155 twips (77 px), the
// bottom row at 60 + 255 = 315 twips (21 px). Edges are converted to pixels: 1 twip falls on
// pixel 0 and 1 + 60 = 61 twips on pixel 4.
TEST(CommandGeometry, FramePiecesOfAnEightyOneByTwentyFivePixelControl) {
  CommandPaintState paint;
  const DrawPlan plan =
      DrawButton(StateImage::Selected, ButtonState::Selected, SurfaceOfPixels(81, 25), paint);
  EXPECT_EQ(plan.image, StateImage::Selected);
  EXPECT_EQ(paint.innerWidth, 1095);
  EXPECT_EQ(paint.innerHeight, 255);
  EXPECT_EQ(paint.rightColumn, 1155);
  EXPECT_EQ(paint.bottomRow, 315);

  const auto& p = plan.pieces;
  ExpectPiece(p[0], {0, 0, 4, 4}, {0, 0, 4, 4}, false);      // top left
  ExpectPiece(p[1], {4, 0, 56, 4}, {4, 0, 73, 4}, true);     // top: image columns 4-59
  ExpectPiece(p[2], {60, 0, 4, 4}, {77, 0, 4, 4}, false);    // top right
  ExpectPiece(p[3], {60, 4, 4, 17}, {77, 4, 4, 17}, false);  // right: rows 4-20, as tall
  ExpectPiece(p[4], {60, 21, 4, 4}, {77, 21, 4, 4}, false);  // bottom right
  ExpectPiece(p[5], {4, 21, 56, 4}, {4, 21, 73, 4}, true);   // bottom
  ExpectPiece(p[6], {0, 21, 4, 4}, {0, 21, 4, 4}, false);    // bottom left
  ExpectPiece(p[7], {0, 4, 4, 17}, {0, 4, 4, 17}, false);    // left
}

// Gradient to (81 - 1, 25 - 1); caption top (375 - 195 - 20) / 2 = 80 twips, 5.33 px -> 5.
TEST(CommandGeometry, GradientAndCaptionOfAnEightyOneByTwentyFivePixelControl) {
  CommandPaintState paint;
  const DrawPlan plan =
      DrawButton(StateImage::Normal, ButtonState::Normal, SurfaceOfPixels(81, 25), paint);
  const GradientVertex& top = plan.gradient[0];
  const GradientVertex& bottom = plan.gradient[1];
  EXPECT_EQ(top.x, 0);
  EXPECT_EQ(top.y, 0);
  EXPECT_EQ(bottom.x, 80);
  EXPECT_EQ(bottom.y, 24);
  // White over (198, 197, 215), each channel times 256.
  EXPECT_EQ(top.red, 0xFF00);
  EXPECT_EQ(top.green, 0xFF00);
  EXPECT_EQ(top.blue, 0xFF00);
  EXPECT_EQ(bottom.red, 0xC600);
  EXPECT_EQ(bottom.green, 0xC500);
  EXPECT_EQ(bottom.blue, 0xD700);
  EXPECT_EQ(top.alpha, 0);
  EXPECT_EQ(bottom.alpha, 0);

  EXPECT_FLOAT_EQ(plan.captionTopTwips, 80.0f);
  EXPECT_EQ(plan.caption, (PixelRect{0, 5, 81, 13}));
}

// Hovered paints shade on top even with the Normal image; HighLightSelect (and state 0) keep
// the direction they find; Normal and Selected put light on top.
TEST(CommandGeometry, GradientDirectionFollowsTheStateNotTheImage) {
  const CommandSurface surface = SurfaceOfPixels(81, 25);
  CommandPaintState paint;
  const auto topRed = [&](ButtonState state) {
    return DrawButton(StateImage::Normal, state, surface, paint).gradient[0].red;
  };
  constexpr std::uint16_t kLight = 0xFF00;
  constexpr std::uint16_t kShade = 0xC600;
  EXPECT_EQ(topRed(ButtonState::HighLight), kShade);
  EXPECT_EQ(topRed(ButtonState::HighLightSelect), kShade);
  EXPECT_EQ(topRed(ButtonState::Uninitialized), kShade);
  EXPECT_EQ(topRed(ButtonState::Selected), kLight);
  EXPECT_EQ(topRed(ButtonState::HighLightSelect), kLight);
  EXPECT_EQ(topRed(ButtonState::HighLight), kShade);
  EXPECT_EQ(topRed(ButtonState::Normal), kLight);
}

TEST(CommandGeometry, InnerSizesRoundHalvesToEven) {
  CommandPaintState paint;
  CommandSurface surface;
  surface.widthTwips = 1215.5f;  // 1095.5 -> 1096
  surface.heightTwips = 376.5f;  // 256.5 -> 256
  DrawButton(StateImage::Normal, ButtonState::Normal, surface, paint);
  EXPECT_EQ(paint.innerWidth, 1096);
  EXPECT_EQ(paint.innerHeight, 256);
  surface.widthTwips = 1216.5f;  // 1096.5 -> 1096
  surface.heightTwips = 375.4f;  // 255.4 -> 255
  DrawButton(StateImage::Normal, ButtonState::Normal, surface, paint);
  EXPECT_EQ(paint.innerWidth, 1096);
  EXPECT_EQ(paint.innerHeight, 255);
}

// 2189 pixels are 32835 twips: IW = 32715 fits 16 bits, but B + IW = 32775 does not, so the
// right column keeps what the last paint computed.
TEST(CommandGeometry, RightColumnBeyondSixteenBitsKeepsTheLastPaintsValue) {
  CommandPaintState paint;
  const CommandSurface tooWide = SurfaceOfPixels(2189, 25);

  DrawPlan plan = DrawButton(StateImage::Normal, ButtonState::Normal, tooWide, paint);
  EXPECT_EQ(paint.innerWidth, 32715);
  EXPECT_EQ(paint.rightColumn, 0);  // nothing painted before
  EXPECT_EQ(plan.pieces[2].destination.x, 0);
  // The top edge still spans the new width: 60 to 32775 twips, pixels 4 to 2185.
  EXPECT_EQ(plan.pieces[1].destination, (PixelRect{4, 0, 2181, 4}));

  DrawButton(StateImage::Normal, ButtonState::Normal, SurfaceOfPixels(81, 25), paint);
  plan = DrawButton(StateImage::Normal, ButtonState::Normal, tooWide, paint);
  EXPECT_EQ(paint.rightColumn, 1155);
  for (int piece : {2, 3, 4}) {
    EXPECT_EQ(plan.pieces[piece].destination.x, 77);
  }
  // The rest of the paint runs as usual.
  EXPECT_EQ(plan.gradient[1].x, 2188);
  EXPECT_EQ(plan.caption.width, 2189);
}

// 32887.5 twips: W - 120 = 32767.5 rounds to 32768, which leaves 16 bits; the inner width keeps
// its last value. 32886.5 -> 32766 fits, but B + IW does not.
TEST(CommandGeometry, InnerSizeBeyondSixteenBitsKeepsTheLastPaintsValue) {
  CommandPaintState paint;
  CommandSurface surface = SurfaceOfPixels(81, 25);
  DrawButton(StateImage::Normal, ButtonState::Normal, surface, paint);
  surface.heightTwips = 32887.5f;
  DrawButton(StateImage::Normal, ButtonState::Normal, surface, paint);
  EXPECT_EQ(paint.innerHeight, 255);
  EXPECT_EQ(paint.bottomRow, 315);
  surface.heightTwips = 32886.5f;
  DrawButton(StateImage::Normal, ButtonState::Normal, surface, paint);
  EXPECT_EQ(paint.innerHeight, 32766);
  EXPECT_EQ(paint.bottomRow, 315);
}

// Under 8 pixels the inner part is empty rather than negative: 6 px = 90 twips, 90 - 120 < 0.
TEST(CommandGeometry, NarrowControlHasNoInnerWidth) {
  CommandPaintState paint;
  const DrawPlan plan =
      DrawButton(StateImage::Normal, ButtonState::Normal, SurfaceOfPixels(6, 25), paint);
  EXPECT_EQ(paint.innerWidth, 0);
  EXPECT_EQ(paint.rightColumn, 60);
  EXPECT_EQ(plan.pieces[1].destination.width, 0);
  EXPECT_EQ(plan.pieces[2].destination.x, 4);
  for (const FramePiece& piece : plan.pieces) {
    EXPECT_GE(piece.destination.width, 0);
    EXPECT_GE(piece.destination.height, 0);
  }
}

// At 120 dpi (12 twips a pixel) the pieces still tile a 101 x 31 pixel control without gaps:
// the corners become 5 pixels (61 twips -> 5.08) and are stretched.
TEST(CommandGeometry, PiecesTileTheControlAtOtherDensities) {
  CommandSurface surface;
  surface.twipsPerPixelX = surface.twipsPerPixelY = 12;
  surface.widthTwips = 101 * 12;
  surface.heightTwips = 31 * 12;
  CommandPaintState paint;
  const DrawPlan plan = DrawButton(StateImage::Normal, ButtonState::Normal, surface, paint);
  const auto right = [](const PixelRect& r) { return r.x + r.width; };
  const auto bottom = [](const PixelRect& r) { return r.y + r.height; };
  const auto& p = plan.pieces;
  EXPECT_EQ(p[0].destination, (PixelRect{0, 0, 5, 5}));
  EXPECT_TRUE(p[0].Stretched());
  EXPECT_EQ(right(p[0].destination), p[1].destination.x);
  EXPECT_EQ(right(p[1].destination), p[2].destination.x);
  EXPECT_EQ(right(p[2].destination), 101);
  EXPECT_EQ(bottom(p[2].destination), p[3].destination.y);
  EXPECT_EQ(bottom(p[3].destination), p[4].destination.y);
  EXPECT_EQ(bottom(p[4].destination), 31);
  EXPECT_EQ(p[6].destination.x, 0);
  EXPECT_EQ(bottom(p[7].destination), p[6].destination.y);
  EXPECT_EQ(plan.gradient[1].x, 100);
  EXPECT_EQ(plan.gradient[1].y, 30);
}

TEST(CaptionFont, PixelHeightComesFromThePointSizeRoundedOnce) {
  EXPECT_EQ(FontPixelHeight(9.75, 96), 13);
  EXPECT_EQ(FontPixelHeight(9.75, 120), 16);  // 16.25; 10 points first would give 17
  EXPECT_EQ(FontPixelHeight(9.75, 144), 20);  // 19.5
  EXPECT_EQ(FontPixelHeight(8, 96), 11);      // 10.67
}

TEST(CommandColourText, ReadsDigitPairsAsRedGreenBlue) {
  EXPECT_EQ(ColourFromText("&HC6C5D7"), (Rgb{198, 197, 215}));
  EXPECT_EQ(ColourFromText("&HFFFFFF"), (Rgb{255, 255, 255}));
  // Fewer than six digits are padded on the left: blue is the last pair.
  EXPECT_EQ(ColourFromText("&H12345"), (Rgb{0x01, 0x23, 0x45}));
  for (const char* malformed : {"C6C5D7", "&H", "&HC6C5D7A", "&HGG0000"}) {
    EXPECT_EQ(ColourFromText(malformed), Rgb{}) << malformed;
  }
}

}  // namespace
