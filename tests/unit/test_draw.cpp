// Sheet drawing: unscaled and scaled cuts, the colour key, alpha that stays on a sheet, pixel reads, lines.
#include "gfx/draw.h"
#include "gfx/images.h"
#include "test_support.h"

class DrawTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    SDL_FillRect(screen, nullptr, 0);
  }
  void TearDown() override {
    SetScaledDrawPath(ZOOM_VISIBLE_PART);
    SceneTest::TearDown();
  }
  static int channelR(uint32_t rgb) { return int(rgb >> 16); }
};

TEST_F(DrawTest, ScaledCutTruncatesTheSinglePrecisionProduct) {
  EXPECT_EQ(ScaledCutPosition(62, 60, 31), 119);     // countdown cell 2 drawn 60 wide
  EXPECT_EQ(ScaledCutPosition(0, 60, 31), 0);        // cell 0 always starts at 0
  EXPECT_EQ(ScaledCutPosition(417, 280, 197), 592);  // the best-time label
  EXPECT_EQ(ScaledCutPosition(7, 33, 22), 10);
}

TEST_F(DrawTest, EqualSizesBlitUnscaledWithTheKeyEvenAtNegativePositions) {
  SDL_Surface* sheet = MakeSurface24(104, 76, 255, 0, 255);
  FillRect(sheet, 10, 10, 20, 20, 200, 30, 40);
  SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, 0xFF00FF);
  SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 1, 2, 3));
  DrawBmp(screen, -5, 0, 52, 76, sheet, 0, 0, 52, 76);
  // sheet (10, 10) lands at x 5; magenta is not drawn
  EXPECT_EQ(V(PixelRGB(screen, 5, 10), PixelRGB(screen, 30, 40)), V(0xC81E28u, 0x010203u));
  EXPECT_EQ(img.ZoomImage, nullptr);  // no zoom happened
  SDL_FreeSurface(sheet);
}

TEST_F(DrawTest, AlphaSetByDrawBmp2StaysOnTheSheetForLaterPlainDraws) {
  SDL_Surface* sheet = MakeSurface24(52, 76, 255, 255, 255);
  DrawBmp2(screen, 0, 0, 52, 76, sheet, 0, 0, 52, 76, 100);
  const int first = channelR(PixelRGB(screen, 10, 10));
  EXPECT_NEAR(first, 100, 2);
  SDL_FillRect(screen, nullptr, 0);
  DrawBmp(screen, 0, 0, 52, 76, sheet, 0, 0, 52, 76);
  EXPECT_NEAR(channelR(PixelRGB(screen, 10, 10)), 100, 2);
  SDL_FreeSurface(sheet);
}

TEST_F(DrawTest, ScaledPlainDrawIsOpaqueWhateverAlphaTheSheetCarries) {
  SDL_Surface* sheet = MakeSurface24(31, 36, 250, 250, 250);
  SetSheetAlpha(sheet, 17);  // left by an earlier start banner
  for (ScaledDrawPath path : {ZOOM_VISIBLE_PART, ZOOM_WHOLE_SHEET}) {
    SetScaledDrawPath(path);
    SDL_FillRect(screen, nullptr, 0);
    DrawBmp(screen, 100, 100, 90, 104, sheet, 0, 0, 31, 36);
    EXPECT_GE(channelR(PixelRGB(screen, 145, 152)), 249);
    EXPECT_EQ(sheet->format->alpha, 17);  // the sheet keeps its alpha
  }
  ASSERT_NE(img.ZoomImage, nullptr);
  EXPECT_EQ(img.ZoomImage->w, 90);
  SDL_FreeSurface(sheet);
}

TEST_F(DrawTest, ScaledDrawBmp2BlendsAtItsAlphaWithoutTouchingTheSheet) {
  SDL_Surface* sheet = MakeSurface24(20, 20, 200, 200, 200);
  DrawBmp2(screen, 0, 0, 40, 40, sheet, 0, 0, 20, 20, 128);
  EXPECT_NEAR(channelR(PixelRGB(screen, 20, 20)), 100, 2);
  EXPECT_FALSE(sheet->flags & SDL_SRCALPHA);
  SDL_FreeSurface(sheet);
}

TEST_F(DrawTest, ScaledCopyKeepsKeyedPixelsTransparent) {
  SDL_Surface* sheet = MakeSurface24(20, 20, 255, 0, 255);
  FillRect(sheet, 0, 0, 10, 20, 0, 200, 0);
  SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, 0xFF00FF);
  SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 9, 9, 9));
  DrawBmp(screen, 0, 0, 40, 40, sheet, 0, 0, 20, 20);
  EXPECT_EQ(PixelRGB(screen, 35, 20), 0x090909u);
  EXPECT_NEAR(int((PixelRGB(screen, 5, 20) >> 8) & 0xff), 200, 1);
  SDL_FreeSurface(sheet);
}

TEST_F(DrawTest, NothingIsDrawnFromAnEmptyImageOrToAZeroSize) {
  SDL_Surface* sheet = MakeSurface24(31, 36, 250, 250, 250);
  SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 7, 7, 7));
  DrawBmp(screen, 0, 0, 52, 76, nullptr, 0, 0, 52, 76);
  DrawBmp2(screen, 0, 0, 52, 76, nullptr, 0, 0, 52, 76, 10);
  DrawBmp(screen, 0, 0, 0, 0, sheet, 0, 0, 31, 36);  // countdown at m 30
  DrawBmp(screen, 0, 0, 0, 40, sheet, 0, 0, 31, 36);
  for (int y = 0; y < 80; y += 7)
    for (int x = 0; x < 80; x += 7) ASSERT_EQ(PixelRGB(screen, x, y), 0x070707u);
  SDL_FreeSurface(sheet);
}

TEST_F(DrawTest, GetpixelReadsTheRawValueLowestByteFirst) {
  SDL_Surface* s = MakeSurface24(4, 4, 0, 0, 0);
  Uint8* p = static_cast<Uint8*>(s->pixels) + 2 * s->pitch + 3 * 3;
  p[0] = 0x10;
  p[1] = 0x20;
  p[2] = 0x30;
  // outside reads as 0, never past the pixels
  EXPECT_EQ(V(getpixel(s, 3, 2), getpixel(s, 4, 0), getpixel(s, -1, 0)), V(0x302010u, 0u, 0u));
  SDL_FreeSurface(s);
  SDL_Surface* wide = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xff0000, 0xff00, 0xff, 0);
  static_cast<Uint32*>(wide->pixels)[1] = 0x00ABCDEF;
  EXPECT_EQ(getpixel(wide, 1, 0), 0x00ABCDEFu);
  SDL_FreeSurface(wide);
}

TEST_F(DrawTest, LinesWriteTheRawValueAndStayInsideTheSurface) {
  SDL_Surface* s = MakeSurface24(40, 30, 0, 0, 0);
  const uint32_t grey = SDL_MapRGB(s->format, 100, 100, 100);
  Draw_Line(s, -50, -50, 200, 200, grey);
  EXPECT_EQ(V(getpixel(s, 0, 0), getpixel(s, 29, 29), getpixel(s, 30, 29)), V(grey, grey, 0u));
  Draw_Line(s, 5, 20, 15, 20, grey);
  for (int x = 5; x <= 15; ++x) EXPECT_EQ(getpixel(s, x, 20), grey);
  Draw_Line(s, -32768, 32767, 32767, -32768, grey);  // far outside: clipped, no crash
  SDL_FreeSurface(s);
}
