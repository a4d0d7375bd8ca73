// Sheet drawing: unscaled and scaled cuts, the colour key, alpha that stays on a sheet, pixel reads, lines;
// numbers and times, every glyph in its place in every style.
#include <tuple>

#include "gfx/digits.h"
#include "gfx/draw.h"
#include "gfx/draw_testing.h"
#include "gfx/images.h"
#include "test_support.h"

class DrawTest : public SceneTest {
 protected:
  void Clear(uint8_t v) { SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, v, v, v)); }
};

TEST_F(DrawTest, ScaledCutTruncatesTheSinglePrecisionProduct) {
  // countdown cell 2 drawn 60 wide (exactly 120 in double); cell 0; the best-time label
  EXPECT_EQ(V(ScaledCutPosition(62, 60, 31), ScaledCutPosition(0, 60, 31), ScaledCutPosition(417, 280, 197),
              ScaledCutPosition(7, 33, 22)),
            V(119, 0, 592, 10));
}

TEST_F(DrawTest, KeyKeptSheetAlphaOnlyForUnscaledDraws) {
  // A 20x20 sheet, its right half magenta and keyed out.
  SDL_Surface* sheet = MakeSurface24(20, 20, 255, 0, 255);
  FillRect(sheet, 0, 0, 10, 20, 200, 30, 40);
  SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, 0xFF00FF);
  Clear(3);
  DrawBmp(screen, -5, 0, 20, 20, sheet, 0, 0, 20, 20);  // the keyed half, from sheet x 10, starts at 5
  EXPECT_EQ(V(PixelRGB(screen, 4, 5), PixelRGB(screen, 5, 5)), V(0xC81E28u, 0x030303u));
  EXPECT_EQ(img.ZoomImage, nullptr);  // no zoom happened
  DrawBmp2(screen, 100, 0, 20, 20, sheet, 0, 0, 20, 20, 100);
  Clear(0);
  DrawBmp(screen, 0, 0, 20, 20, sheet, 0, 0, 20, 20);  // a later plain draw keeps alpha 100
  EXPECT_NEAR(static_cast<int>(PixelRGB(screen, 5, 5) >> 16), 200 * 100 / 255.0, 2);
  // Scaled (either path: they draw the same bytes), opaque whatever alpha the sheet carries, as the countdown
  // after a start banner; translucent only at the draw's own alpha, which is not left on the sheet.
  Clear(9);
  DrawBmp(screen, 0, 0, 40, 40, sheet, 0, 0, 20, 20);
  EXPECT_EQ(V(PixelRGB(screen, 5, 20) >> 16 >= 199, PixelRGB(screen, 35, 20)), V(true, 0x090909u));
  SetScaledDrawPath(ZOOM_WHOLE_SHEET);  // zooms the sheet made opaque, then gives it its alpha back
  DrawBmp(screen, 0, 0, 40, 40, sheet, 0, 0, 20, 20);
  SetScaledDrawPath(ZOOM_VISIBLE_PART);
  EXPECT_EQ(V(sheet->flags & SDL_SRCALPHA, sheet->format->alpha), V(SDL_SRCALPHA, 100));
  SDL_SetAlpha(sheet, 0, 255);
  Clear(0);
  DrawBmp2(screen, 0, 0, 40, 40, sheet, 0, 0, 20, 20, 128);
  EXPECT_EQ(V(std::abs(int(PixelRGB(screen, 5, 20) >> 16) - 200 * 128 / 255) <= 2, sheet->flags & SDL_SRCALPHA),
            V(true, 0));
  // A cut as wide as its source but taller is stretched too: 20 rows drawn as 40.
  Clear(3);
  DrawBmp(screen, 100, 100, 20, 40, sheet, 0, 0, 20, 20);
  EXPECT_EQ(V(PixelRGB(screen, 101, 139), PixelRGB(screen, 101, 140)), V(0xC81E28u, 0x030303u));
  SDL_FreeSurface(sheet);
}

TEST_F(DrawTest, NothingDrawnFromNoImageOrToZeroSize) {
  SDL_Surface* sheet = MakeSurface24(31, 36, 250, 250, 250);
  Clear(7);
  DrawBmp(screen, 0, 0, 52, 76, nullptr, 0, 0, 52, 76);
  DrawBmp2(screen, 0, 0, 52, 76, nullptr, 0, 0, 52, 76, 10);
  DrawBmp(screen, 0, 0, 0, 0, sheet, 0, 0, 31, 36);  // countdown at m 30
  DrawBmp(screen, 0, 0, 0, 40, sheet, 0, 0, 31, 36);
  for (int y = 0; y < 80; y += 7)
    for (int x = 0; x < 80; x += 7) ASSERT_EQ(PixelRGB(screen, x, y), 0x070707u);
  SDL_FreeSurface(sheet);
}

TEST_F(DrawTest, PixelReadsAndLinesRawAndClipped) {
  SDL_Surface* s = MakeSurface24(40, 30, 0, 0, 0);
  Uint8* p = static_cast<Uint8*>(s->pixels) + 2 * static_cast<ptrdiff_t>(s->pitch) + 3 * ptrdiff_t{3};
  p[0] = 0x10, p[1] = 0x20, p[2] = 0x30;  // lowest byte first; outside reads as 0
  EXPECT_EQ(V(getpixel(s, 3, 2), getpixel(s, 40, 0), getpixel(s, -1, 0)), V(0x302010u, 0u, 0u));
  const uint32_t grey = SDL_MapRGB(s->format, 100, 100, 100);
  Draw_Line(s, -50, -50, 200, 200, grey);
  Draw_Line(s, 5, 20, 15, 20, grey);
  Draw_Line(s, -32768, 32767, 32767, -32768, grey);  // far outside: clipped, no crash
  EXPECT_EQ(V(getpixel(s, 0, 0), getpixel(s, 29, 29), getpixel(s, 30, 29)), V(grey, grey, 0u));
  for (int x = 5; x <= 15; ++x) EXPECT_EQ(getpixel(s, x, 20), grey);
  SDL_FreeSurface(s);
  SDL_Surface* wide = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xff0000, 0xff00, 0xff, 0);
  static_cast<Uint32*>(wide->pixels)[1] = 0x00ABCDEF;
  EXPECT_EQ(getpixel(wide, 1, 0), 0x00ABCDEFu);
  SDL_FreeSurface(wide);
}

// A digit sheet whose every glyph is a flat colour naming it: red is the row, green is
// 20 x index + 10 (index 10 for the separators); the glyph's top-left pixel alone has blue 99.
class DigitsTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    img.numImage2 = MakeSurface24(620, 212, 255, 0, 255);
    for (int d = 0; d <= 10; ++d)
      for (int r = 0; r < 4; ++r) {  // rows 42 apart, the last of smaller glyphs
        const int w = r < 3 ? 32 : 21, h = r < 3 ? 42 : 22, red = 40 * (r + 1);
        FillRect(img.numImage2, w * d, 42 * r, w, h, red, static_cast<Uint8>(20 * d + 10), 77);
        FillRect(img.numImage2, w * d, 42 * r, 1, 1, red, static_cast<Uint8>(20 * d + 10), 99);
      }
    SDL_SetColorKey(img.numImage2, SDL_SRCCOLORKEY, 0xFF00FF);
  }
  // What the places from (10, 10) at the style's step, as many as `expected` has, show at their top-left
  // corners: the glyph, '_' for nothing, '?' for a glyph of another row than the style's, '*' for one not
  // placed exactly there.
  std::string Cells(int style, const std::string& expected) {
    const uint32_t row[] = {40, 160, 120, 80, 80, 80};  // the red of the row each style draws from
    std::string shown;
    for (size_t i = 0; i < expected.size(); ++i) {
      const uint32_t c = PixelRGB(screen, 10 + (style == 1 ? 16 : 32) * static_cast<int>(i), 10);
      const int index = ((c >> 8 & 0xff) - 10) / 20;
      shown += c == 0 ? '_' : (c & 0xff) != 99 ? '*' : (c >> 16) != row[style] ? '?' : index == 10 ? ':' : '0' + index;
    }
    return shown;
  }
};

TEST_F(DigitsTest, EveryGlyphInItsPlace) {
  // Style 5 does not exist. Style 3 draws every place on one spot: 3, then 5 over it; a time shows its minutes
  // only. Style 4 takes its separators from row 0; style 1's places overlap. Numbers: style, divisor, value,
  // suppress; times: style, value.
  const std::tuple<int, int, int, int, std::string> numbers[] = {
      {0, 100, 7, 1, "__7"},   {0, 100, 7, 0, "007"}, {0, 100, 0, 1, "__0"}, {1, 100, 0, 1, "__0"},
      {2, 100, 120, 1, "120"}, {4, 10, 9, 0, "09"},   {5, 10, 9, 0, "__"},   {3, 10, 35, 1, "5_"},
  };
  for (const auto& [style, divisor, value, suppress, shown] : numbers) {
    SDL_FillRect(screen, nullptr, 0), draw_number(screen, 10, 10, style, divisor, value, suppress);
    EXPECT_EQ(Cells(style, shown), shown);
  }
  const std::tuple<int, int, std::string> times[] = {
      {3, 83456, "1____"},     {0, 83456, "__1:23:456"}, {2, 0, "__0:00:000"},     {0, 600000, "_10:00:000"},
      {2, 5007, "__0:05:007"}, {4, 83456, "__1?23?456"}, {1, 83456, "__1:23*456"},
  };
  for (const auto& [style, value, shown] : times) {
    SDL_FillRect(screen, nullptr, 0), DrawTime(screen, 10, 10, value, style);
    EXPECT_EQ(Cells(style, shown), shown);
  }
  // Style 1's places are 21 wide at 16 apart: each covers the right edge of the one before, and
  // the seconds cover the second separator's corner.
  EXPECT_EQ(V(PixelRGB(screen, 10 + 64 + 20, 12) >> 8), V(160 << 8 | 70));
}
