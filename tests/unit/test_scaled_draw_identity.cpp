// Scaled draws: the visible-part path puts exactly the bytes on screen that zooming the whole
// sheet and blitting the cut does, on synthetic sheets and on every scaled draw the game makes.
#include <cstring>
#include <map>
#include <random>

#include "gfx/draw.h"
#include "gfx/draw_testing.h"
#include "test_session.h"

namespace {

// One scaled draw made both ways onto copies of the screen: {same bytes, drawn by the visible-part path}.
std::pair<bool, bool> DrawBothWays(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                   SDL_Surface* image, int32_t sx, int32_t sy, int32_t sw, int32_t sh, int alpha) {
  SDL_Surface* copy[2];
  const long before = GetScaledDrawCounts().visiblePart;
  for (int k = 0; k < 2; ++k) {
    copy[k] = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
    SetScaledDrawPath(k ? ZOOM_VISIBLE_PART : ZOOM_WHOLE_SHEET);
    if (alpha < 0) DrawBmp(copy[k], dx, dy, dw, dh, image, sx, sy, sw, sh);
    if (alpha >= 0) DrawBmp2(copy[k], dx, dy, dw, dh, image, sx, sy, sw, sh, static_cast<uint8_t>(alpha));
  }
  // 480 pixels of 3 bytes fill the rows: no padding bytes to skip.
  const bool same = memcmp(copy[0]->pixels, copy[1]->pixels, static_cast<size_t>(copy[0]->h) * copy[0]->pitch) == 0;
  SDL_FreeSurface(copy[0]), SDL_FreeSurface(copy[1]);
  return {same, GetScaledDrawCounts().visiblePart == before + 1};
}

using ScaledDrawIdentity = SceneTest;

TEST_F(ScaledDrawIdentity, RandomSheetsScalesPlacesAlphas) {
  std::mt19937 rng(20240607);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  // Every byte random, so an off-by-one in any step shows.
  auto busy = [&](SDL_Surface* s) {
    for (int y = 0; y < s->h; ++y)
      for (int x = 0; x < s->w * 3; ++x) static_cast<Uint8*>(s->pixels)[y * s->pitch + x] = static_cast<Uint8>(rng());
  };
  int compared = 0;
  for (int n = 0; n < 600; ++n) {
    const int w = pick(2, 260), h = pick(2, 180);
    const bool swapped = n % 5 == 4;  // red and blue the other way round from the screen
    SDL_Surface* sheet =
        SDL_CreateRGBSurface(0, w, h, 24, swapped ? 0xff : 0xff0000, 0xff00, swapped ? 0xff0000 : 0xff, 0);
    busy(sheet);
    const Uint32 magenta = SDL_MapRGB(sheet->format, 255, 0, 255);
    for (int k = 0; k < w * h / 4; ++k) {
      SDL_Rect dot = {static_cast<Sint16>(pick(0, w - 1)), static_cast<Sint16>(pick(0, h - 1)), 1, 1};
      SDL_FillRect(sheet, &dot, magenta);
    }
    if (n % 3 != 0) SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, magenta);
    if (n % 7 == 0) SetSheetAlpha(sheet, static_cast<Uint8>(pick(0, 255)));  // left by a translucent draw
    const int sw = pick(1, w), sh = pick(1, h), sx = pick(0, w - sw), sy = pick(0, h - sh);
    const int dw = pick(1, 520), dh = pick(1, 520), alpha = n % 4 ? -1 : n % 8 ? pick(0, 255) : 0;
    busy(screen);
    const auto [same, visiblePart] = dw == sw && dh == sh ? std::make_pair(true, false)
                                                          : DrawBothWays(screen, pick(-200, 460), pick(-200, 460), dw,
                                                                         dh, sheet, sx, sy, sw, sh, alpha);
    SDL_FreeSurface(sheet);
    ASSERT_TRUE(same) << "case " << n << ": sheet " << w << "x" << h << " rect " << sx << "," << sy << " " << sw << "x"
                      << sh << " to " << dw << "x" << dh << " alpha " << alpha;
    compared += visiblePart;
  }
  EXPECT_GT(compared, 500);  // only a zoomed side under two pixels goes the whole-sheet way
}

// The game's own scaled draws, compared as the scenes make them: draws per sheet, draws that differed
// and draws handed over to the whole-sheet path.
std::map<SDL_Surface*, int> drawsOf;
int differed = 0, handedOver = 0;

void CompareGameDraw(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh, SDL_Surface* image,
                     int32_t sx, int32_t sy, int32_t sw, int32_t sh, int alpha) {
  SetScaledDrawObserver(nullptr);  // the comparison's own draws are not observed
  const auto [same, visiblePart] = DrawBothWays(screen, dx, dy, dw, dh, image, sx, sy, sw, sh, alpha);
  SetScaledDrawObserver(CompareGameDraw);
  drawsOf[image == img.mapImage ? nullptr : image] += 1;  // each race loads its course anew
  differed += !same;
  handedOver += dw > 0 && dh > 0 && !visiblePart;
}

class ScaledDrawInGame : public GameSession {
  void TearDown() override { SetScaledDrawObserver(nullptr), GameSession::TearDown(); }
};

TEST_F(ScaledDrawInGame, InGameZoomsMatchTheWholeSheetZoom) {
  WriteTextFile("data/clearFlg.txt", "1 1 1 1 1 1 ");  // every course open
  StartGame();
  drawsOf.clear(), differed = handedOver = 0;
  SetScaledDrawObserver(CompareGameDraw);
  // The help screen's callouts grow over 14 frames; then mode 1, whose course select shows the scaled
  // best-time label, and each course raced into past the start banner (which leaves the countdown sheet
  // at alpha 17 for the next race's countdown), then left through the pause menu.
  plan.help = true;
  ASSERT_TRUE(RunUntil([&] { return FrontEndView().helpFlg == 2; }, 500));
  plan = Plan{}, plan.drive = false, plan.raceFrames = 15;
  for (plan.course = 0; plan.course < 6; ++plan.course)
    ASSERT_TRUE(RunUntil([&] { return racesStarted > plan.course && InCourseSelect(); }, 3000)) << plan.course;
  EXPECT_EQ(V(differed, handedOver), V(0, 0));
  // Two callouts in each of the 14 growing frames but the last, where the second one reaches its sheet size
  // and is drawn unscaled; the best-time label on each visit of the course select; eleven zoom sizes per course
  // (the twelfth, the course's own size, starts the race); 59 countdown frames per race.
  EXPECT_GE(drawsOf[img.numImage2], 6);
  EXPECT_EQ(V(drawsOf[img.keybordImage], drawsOf[nullptr], drawsOf[img.numImage], drawsOf.size()),
            V(2 * 14 - 1, 6 * 11, 6 * 59, 4));
}

}  // namespace
