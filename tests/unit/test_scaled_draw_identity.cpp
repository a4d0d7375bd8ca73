// Scaled draws: the visible-part path puts exactly the bytes on screen that zooming the whole
// sheet and blitting the cut does, on synthetic sheets and on every scaled draw the game makes.
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "app/scene_loop.h"
#include "frontend/frontend_state.h"
#include "test_race_support.h"

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
    if (alpha >= 0) DrawBmp2(copy[k], dx, dy, dw, dh, image, sx, sy, sw, sh, uint8_t(alpha));
  }
  bool same = true;
  for (int y = 0; y < screen->h; ++y)
    same &= memcmp(static_cast<Uint8*>(copy[0]->pixels) + y * copy[0]->pitch,
                   static_cast<Uint8*>(copy[1]->pixels) + y * copy[1]->pitch, screen->w * 3) == 0;
  SDL_FreeSurface(copy[0]), SDL_FreeSurface(copy[1]);
  return {same, GetScaledDrawCounts().visiblePart == before + 1};
}

class ScaledDrawIdentity : public SceneTest {
 protected:
  void TearDown() override {
    SetScaledDrawObserver(nullptr);
    SetScaledDrawPath(ZOOM_VISIBLE_PART);
    for (auto& t : bestTime) t = 0;
    for (auto& f : clearFlg) f = 0;
    KeyScript().clear();
    SceneTest::TearDown();
  }
};

TEST_F(ScaledDrawIdentity, SyntheticSheetsAtRandomScalesPlacesAndAlphas) {
  std::mt19937 rng(20240607);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  // Every byte random, so an off-by-one in any step shows.
  auto busy = [&](SDL_Surface* s) {
    for (int y = 0; y < s->h; ++y)
      for (int x = 0; x < s->w * 3; ++x) static_cast<Uint8*>(s->pixels)[y * s->pitch + x] = Uint8(rng());
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
      SDL_Rect dot = {Sint16(pick(0, w - 1)), Sint16(pick(0, h - 1)), 1, 1};
      SDL_FillRect(sheet, &dot, magenta);
    }
    if (n % 3 != 0) SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, magenta);
    if (n % 7 == 0) SetSheetAlpha(sheet, Uint8(pick(0, 255)));  // left by a translucent draw
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

TEST_F(ScaledDrawIdentity, HelpCalloutsBestTimeLabelCourseZoomsAndCountdownsMatchTheWholeSheetZoom) {
  if (!LoadGeneratedImages()) GTEST_SKIP() << "generated art not built yet";
  const std::string copyCheckpoints = std::string("cp ") + VELKARO_SOURCE_DIR + "/data/check*.txt data/";
  ASSERT_EQ(system(copyCheckpoints.c_str()), 0);
  WriteTextFile("data/clearFlg.txt", "1 1 1 1 1 1 ");  // every course open
  WriteTextFile("data/bestTime.txt", "0 0 0 0 0 0 0 0 0 0 0 0 ");
  ResetFrontEnd(), ResetRaceState();
  car[0] = car[1] = CarState{};
  SetKeySource(NextScriptedKey), SetPresenter(CountPresent);
  drawsOf.clear(), differed = handedOver = 0;
  SetScaledDrawObserver(CompareGameDraw);
  LoopState loop = InitialLoopState();
  auto frame = [&](uint8_t keys) { PushKeys(keys, 1), RunSceneOnce(screen, &loop); };
  auto press = [&](uint8_t key) { frame(key), frame(0); };
  auto until = [&](auto done) {
    for (int i = 0; i < 3000 && !done(); ++i) frame(0);
    return done();
  };
  ASSERT_TRUE(until([&] { return fe.titleCnt == 5; }));
  // The help screen: the callouts grow over 14 frames, then the page fades in.
  while (fe.changeCnt != 1) press(KEY_DOWN);
  press(KEY_Z);
  ASSERT_TRUE(until([&] { return fe.helpFlg == 2; }));
  for (int i = 0; i < 15; ++i) frame(0);
  press(KEY_X);
  ASSERT_TRUE(until([&] { return fe.titleCnt == 5; }));
  // Mode 1, whose course select shows the scaled best-time label.
  while (fe.changeCnt != 0) press(KEY_DOWN);
  press(KEY_Z);
  ASSERT_TRUE(until([&] { return loop.sceneCode == SCENE_TITLE && fe.modeFlg == 1; }));
  press(KEY_Z);
  auto choosing = [&] { return fe.titleCnt == 10 && fe.mapSelectFlg == 1; };
  for (int course = 0; course < 6; ++course) {
    ASSERT_TRUE(until(choosing));
    while (fe.mapTX / 152 < course) press(KEY_RIGHT);
    for (int i = 0; i < 25; ++i) frame(0);  // the strip settles
    press(KEY_Z);
    // Countdown, then past the start banner, which leaves the countdown sheet at alpha 17 for the
    // next race's countdown; then out through the pause menu.
    ASSERT_TRUE(until([&] { return loop.sceneCode == SCENE_GAME && race.readyFlg == 2; }));
    for (int i = 0; i < 15; ++i) frame(0);
    press(KEY_X), press(KEY_DOWN), frame(KEY_Z);
  }
  EXPECT_EQ(V(differed, handedOver), V(0, 0));
  // Two callouts in each of the 14 growing frames; eleven zoom sizes per course (the twelfth, the
  // course's own size, starts the race); 59 countdown frames per race.
  EXPECT_GE(drawsOf[img.keybordImage], 2 * 14);
  EXPECT_GT(drawsOf[img.numImage2], 100);
  EXPECT_EQ(V(drawsOf[nullptr], drawsOf[img.numImage], drawsOf.size()), V(6 * 11, 6 * 59, 4));
}

}  // namespace
