// Numbers and times: every glyph in its place, in every style.
#include <string>

#include "gfx/digits.h"
#include "gfx/images.h"
#include "test_support.h"

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
        FillRect(img.numImage2, w * d, 42 * r, w, h, red, Uint8(20 * d + 10), 77);
        FillRect(img.numImage2, w * d, 42 * r, 1, 1, red, Uint8(20 * d + 10), 99);
      }
    SDL_SetColorKey(img.numImage2, SDL_SRCCOLORKEY, 0xFF00FF);
  }
  // What each of count places step apart shows at its top-left corner: the glyph, '_' for
  // nothing, '?' for a glyph of another row, '*' for a glyph not placed exactly there.
  std::string Cells(int x, int y, int step, int count, int row) {
    std::string shown;
    for (int i = 0; i < count; ++i) {
      const uint32_t c = PixelRGB(screen, x + step * i, y);
      const int index = ((c >> 8 & 0xff) - 10) / 20;
      shown += c == 0                       ? '_'
               : (c & 0xff) != 99           ? '*'
               : (c >> 16) != uint32_t(row) ? '?'
               : index == 10                ? ':'
                                            : '0' + index;
    }
    return shown;
  }
};

TEST_F(DigitsTest, EveryGlyphInItsPlace) {
  struct Case {
    int style, divisor, value, suppress;  // divisor 0: DrawTime of value
    int step, count, row;
    const char* shown;
  };
  // Style 5 does not exist. Style 3 draws every place on one spot: 3, then 5 over it; a time shows its
  // minutes only. Style 4 takes its separators from row 0; style 1's places overlap.
  const Case cases[] = {{0, 100, 7, 1, 32, 3, 40, "__7"},
                        {0, 100, 7, 0, 32, 3, 40, "007"},
                        {0, 100, 0, 1, 32, 3, 40, "__0"},
                        {1, 100, 0, 1, 16, 3, 160, "__0"},
                        {2, 100, 120, 1, 32, 3, 120, "120"},
                        {4, 10, 9, 0, 32, 2, 80, "09"},
                        {5, 10, 9, 0, 32, 2, 80, "__"},
                        {3, 10, 35, 1, 32, 2, 80, "5_"},
                        {3, 0, 83456, 0, 32, 5, 80, "1____"},
                        {0, 0, 83456, 0, 32, 10, 40, "__1:23:456"},
                        {2, 0, 0, 0, 32, 10, 120, "__0:00:000"},
                        {0, 0, 600000, 0, 32, 10, 40, "_10:00:000"},
                        {2, 0, 5007, 0, 32, 10, 120, "__0:05:007"},
                        {4, 0, 83456, 0, 32, 10, 80, "__1?23?456"},
                        {1, 0, 83456, 0, 16, 10, 160, "__1:23*456"}};
  for (const Case& c : cases) {
    SDL_FillRect(screen, nullptr, 0);
    if (c.divisor) draw_number(screen, 10, 10, c.style, c.divisor, c.value, c.suppress);
    if (!c.divisor) DrawTime(screen, 10, 10, c.value, c.style);
    EXPECT_EQ(Cells(10, 10, c.step, c.count, c.row), c.shown) << c.shown;
  }
  // Style 1's places are 21 wide at 16 apart: each covers the right edge of the one before, and
  // the seconds cover the second separator's corner.
  EXPECT_EQ(V(PixelRGB(screen, 10 + 64 + 20, 12) >> 8), V(160 << 8 | 70));
}
