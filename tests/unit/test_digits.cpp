// Numbers and times: every glyph in its place, in every style.
#include <string>

#include "gfx/digits.h"
#include "gfx/images.h"
#include "test_support.h"

// A digit sheet whose every glyph is a flat colour naming it: red is the row,
// green is 20 x index + 10 (index 10 for the separators).
class DigitsTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    img.numImage2 = MakeSurface24(620, 212, 255, 0, 255);
    for (int d = 0; d <= 10; ++d) {
      FillRect(img.numImage2, 32 * d, 0, 32, 42, 40, Uint8(20 * d + 10), 77);
      FillRect(img.numImage2, 32 * d, 42, 32, 42, 80, Uint8(20 * d + 10), 77);
      FillRect(img.numImage2, 32 * d, 84, 32, 42, 120, Uint8(20 * d + 10), 77);
      FillRect(img.numImage2, 21 * d, 126, 21, 22, 160, Uint8(20 * d + 10), 77);
    }
    SDL_SetColorKey(img.numImage2, SDL_SRCCOLORKEY, 0xFF00FF);
    SDL_FillRect(screen, nullptr, 0);
  }
  static uint32_t glyph(int row, int index) { return (uint32_t(row) << 16) | (uint32_t(20 * index + 10) << 8) | 77; }
  // What one cell shows, sampled past the 5 pixels the cell before may cover in style 1.
  std::string cells(int x, int y, int step, int count, int row) {
    std::string shown;
    for (int i = 0; i < count; ++i) {
      const uint32_t c = PixelRGB(screen, x + step * i + 6, y + 5);
      if (c == 0)
        shown += '_';
      else if ((c >> 16) != uint32_t(row))
        shown += '?';
      else {
        const int index = ((c >> 8 & 0xff) - 10) / 20;
        shown += index == 10 ? ':' : char('0' + index);
      }
    }
    return shown;
  }
};

TEST_F(DigitsTest, SuppressedZerosKeepTheDigitsInTheirPlaces) {
  draw_number(screen, 10, 10, 0, 100, 7, 1);
  EXPECT_EQ(cells(10, 10, 32, 3, 40), "__7");
  draw_number(screen, 10, 60, 0, 100, 7, 0);
  EXPECT_EQ(cells(10, 60, 32, 3, 40), "007");
  draw_number(screen, 10, 110, 0, 100, 0, 1);
  EXPECT_EQ(cells(10, 110, 32, 3, 40), "__0");
  draw_number(screen, 10, 160, 1, 100, 0, 1);  // style 1: the 0 at x + 32
  EXPECT_EQ(cells(10, 160, 16, 3, 160), "__0");
  EXPECT_EQ(PixelRGB(screen, 10 + 32 + 2, 165), glyph(160, 0));
}

TEST_F(DigitsTest, StyleThreeDrawsEveryPlaceOnOneSpot) {
  draw_number(screen, 0, 0, 3, 10, 2, 1);
  EXPECT_EQ(PixelRGB(screen, 5, 5), glyph(80, 2));
  EXPECT_EQ(PixelRGB(screen, 40, 5), 0u);
  draw_number(screen, 100, 0, 3, 10, 0, 1);
  EXPECT_EQ(PixelRGB(screen, 105, 5), glyph(80, 0));
  draw_number(screen, 200, 0, 3, 10, 35, 1);  // 3 then 5 on the same spot
  EXPECT_EQ(PixelRGB(screen, 205, 5), glyph(80, 5));
}

TEST_F(DigitsTest, StylesUseTheirOwnRows) {
  draw_number(screen, 0, 0, 2, 100, 120, 1);
  EXPECT_EQ(cells(0, 0, 32, 3, 120), "120");
  draw_number(screen, 0, 100, 4, 10, 9, 0);
  EXPECT_EQ(cells(0, 100, 32, 2, 80), "09");
  draw_number(screen, 0, 200, 5, 10, 9, 0);  // no such style: nothing
  EXPECT_EQ(PixelRGB(screen, 5, 205), 0u);
}

TEST_F(DigitsTest, TimesInTheLargeStyles) {
  DrawTime(screen, 0, 0, 83456, 0);
  EXPECT_EQ(cells(0, 0, 32, 10, 40), "__1:23:456");
  DrawTime(screen, 0, 50, 0, 2);
  EXPECT_EQ(cells(0, 50, 32, 10, 120), "__0:00:000");
  DrawTime(screen, 0, 100, 600000, 0);
  EXPECT_EQ(cells(0, 100, 32, 10, 40), "_10:00:000");
  DrawTime(screen, 0, 150, 5007, 2);
  EXPECT_EQ(cells(0, 150, 32, 10, 120), "__0:05:007");
}

TEST_F(DigitsTest, StyleFourTakesItsSeparatorFromRowZero) {
  DrawTime(screen, 0, 0, 83456, 4);
  EXPECT_EQ(cells(0, 0, 32, 10, 80), "__1?23?456");
  EXPECT_EQ(PixelRGB(screen, 96 + 2, 5), glyph(40, 10));
  EXPECT_EQ(PixelRGB(screen, 192 + 2, 5), glyph(40, 10));
}

TEST_F(DigitsTest, SmallTimesOverlapTheirPlaces) {
  DrawTime(screen, 300, 77, 83456, 1);
  EXPECT_EQ(cells(300, 77, 16, 10, 160), "__1:23:456");
  // Each place covers the right edge of the one before it.
  EXPECT_EQ(PixelRGB(screen, 300 + 64 + 18, 80), glyph(160, 3));
}

TEST_F(DigitsTest, StyleThreeTimeShowsOnlyMinutes) {
  DrawTime(screen, 0, 0, 83456, 3);
  EXPECT_EQ(PixelRGB(screen, 2, 5), glyph(80, 1));
  EXPECT_EQ(PixelRGB(screen, 96 + 40, 5), 0u);
}
