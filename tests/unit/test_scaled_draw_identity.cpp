// Scaled draws: the visible-part path puts exactly the bytes on screen that zooming the whole
// sheet and blitting the cut does, on synthetic sheets and on every scaled draw the game makes.
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>

#include "app/scene_loop.h"
#include "frontend/frontend_state.h"
#include "gfx/draw.h"
#include "gfx/images.h"
#include "test_race_support.h"

namespace {

SDL_Surface* CopyOf(SDL_Surface* s) { return SDL_ConvertSurface(s, s->format, SDL_SWSURFACE); }

// The first row that differs, or -1 when the two screens hold the same bytes.
int FirstDifferentRow(SDL_Surface* a, SDL_Surface* b) {
  for (int y = 0; y < a->h; ++y) {
    const Uint8* ra = static_cast<const Uint8*>(a->pixels) + y * a->pitch;
    const Uint8* rb = static_cast<const Uint8*>(b->pixels) + y * b->pitch;
    if (memcmp(ra, rb, a->w * a->format->BytesPerPixel) != 0) return y;
  }
  return -1;
}

// A scaled draw made both ways onto copies of the same screen.
struct Comparison {
  int differentRow;  // -1: byte for byte the same
  bool visiblePart;  // the visible-part path drew it (rather than handing it over)
};

Comparison DrawBothWays(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh, SDL_Surface* image,
                        int32_t sx, int32_t sy, int32_t sw, int32_t sh, int alpha) {
  SDL_Surface* copies[2] = {CopyOf(screen), CopyOf(screen)};  // whole sheet, visible part
  const ScaledDrawPath previous = GetScaledDrawPath();
  long before = 0;
  for (int k = 0; k < 2; ++k) {
    SetScaledDrawPath(k ? ZOOM_VISIBLE_PART : ZOOM_WHOLE_SHEET);
    before = GetScaledDrawCounts().visiblePart;
    if (alpha < 0)
      DrawBmp(copies[k], dx, dy, dw, dh, image, sx, sy, sw, sh);
    else
      DrawBmp2(copies[k], dx, dy, dw, dh, image, sx, sy, sw, sh, static_cast<uint8_t>(alpha));
  }
  SetScaledDrawPath(previous);
  Comparison c{FirstDifferentRow(copies[0], copies[1]), GetScaledDrawCounts().visiblePart == before + 1};
  SDL_FreeSurface(copies[0]);
  SDL_FreeSurface(copies[1]);
  return c;
}

class ScaledDrawIdentity : public SceneTest {
 protected:
  void TearDown() override {
    SetScaledDrawObserver(nullptr);
    SetScaledDrawPath(ZOOM_VISIBLE_PART);
    SceneTest::TearDown();
  }
  // Every channel value at every position, so an off-by-one in any step shows.
  static void FillBusy(SDL_Surface* s, std::mt19937& rng) {
    for (int y = 0; y < s->h; ++y) {
      Uint8* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
      for (int x = 0; x < s->w * s->format->BytesPerPixel; ++x) row[x] = static_cast<Uint8>(rng());
    }
  }
};

TEST_F(ScaledDrawIdentity, SyntheticSheetsAtRandomScalesPlacesAndAlphas) {
  std::mt19937 rng(20240607);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int compared = 0;
  for (int n = 0; n < 600; ++n) {
    const int w = pick(2, 260), h = pick(2, 180);
    // Every fifth sheet has its red and blue bytes the other way round from the screen.
    const bool swapped = n % 5 == 4;
    SDL_Surface* sheet =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, swapped ? 0xff : 0xff0000, 0xff00, swapped ? 0xff0000 : 0xff, 0);
    FillBusy(sheet, rng);
    const Uint32 magenta = SDL_MapRGB(sheet->format, 255, 0, 255);
    for (int k = 0; k < w * h / 4; ++k) {
      SDL_Rect dot = {static_cast<Sint16>(pick(0, w - 1)), static_cast<Sint16>(pick(0, h - 1)), 1, 1};
      SDL_FillRect(sheet, &dot, magenta);
    }
    if (n % 3 != 0) SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, magenta);
    if (n % 7 == 0) SetSheetAlpha(sheet, static_cast<uint8_t>(pick(0, 255)));  // left by a translucent draw
    const int sw = pick(1, w), sh = pick(1, h);
    const int sx = pick(0, w - sw), sy = pick(0, h - sh);
    const int dw = pick(1, 520), dh = pick(1, 520);
    if (dw == sw && dh == sh) continue;
    const int alpha = n % 4 == 0 ? pick(0, 255) : -1;
    FillBusy(screen, rng);
    const Comparison c = DrawBothWays(screen, pick(-200, 460), pick(-200, 460), dw, dh, sheet, sx, sy, sw, sh, alpha);
    SDL_FreeSurface(sheet);
    ASSERT_EQ(c.differentRow, -1) << "case " << n << ": sheet " << w << "x" << h << " rect " << sx << "," << sy << " "
                                  << sw << "x" << sh << " to " << dw << "x" << dh << " alpha " << alpha;
    if (c.visiblePart) ++compared;
  }
  EXPECT_GT(compared, 500);  // only a zoomed side under two pixels goes the whole-sheet way
}

// The game's own scaled draws, compared as the scenes make them.
struct GameDraws {
  std::map<std::string, int> count;
  std::set<int> zoomWidths[6];
  std::string firstDifference;
  int handedOver = 0;
};
GameDraws* gameDraws = nullptr;

std::string KindOf(SDL_Surface* image) {
  if (image == img.keybordImage) return "help callout";
  if (image == img.numImage2) return "best-time label";
  if (image == img.numImage) return "countdown cell";
  if (image == img.mapImage) return "course zoom";
  return "other";
}

void CompareGameDraw(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh, SDL_Surface* image,
                     int32_t sx, int32_t sy, int32_t sw, int32_t sh, int alpha) {
  SetScaledDrawObserver(nullptr);  // the comparison's own draws are not observed
  const Comparison c = DrawBothWays(screen, dx, dy, dw, dh, image, sx, sy, sw, sh, alpha);
  SetScaledDrawObserver(CompareGameDraw);
  const std::string kind = KindOf(image);
  gameDraws->count[kind] += 1;
  if (kind == "course zoom") gameDraws->zoomWidths[FrontEndView().mapTX / 152].insert(dw);
  if (dw > 0 && dh > 0 && !c.visiblePart) gameDraws->handedOver += 1;
  if (c.differentRow >= 0 && gameDraws->firstDifference.empty()) {
    gameDraws->firstDifference = kind + " " + std::to_string(dw) + "x" + std::to_string(dh) + " at " +
                                 std::to_string(dx) + "," + std::to_string(dy) + ", row " +
                                 std::to_string(c.differentRow);
  }
}

class GameScaledDraws : public ScaledDrawIdentity {
 protected:
  void SetUp() override {
    ScaledDrawIdentity::SetUp();
    if (!LoadGeneratedImages()) GTEST_SKIP() << "generated art not built yet";
    const std::string cmd = std::string("cp '") + VELKARO_SOURCE_DIR + "/data/'check*.txt data/";
    ASSERT_EQ(system(cmd.c_str()), 0);
    WriteTextFile("data/clearFlg.txt", "1 1 1 1 1 1 ");  // every course open
    WriteTextFile("data/bestTime.txt", "0 0 0 0 0 0 0 0 0 0 0 0 ");
    ResetFrontEnd();
    ResetRaceState();
    car[0] = car[1] = CarState{};
    KeyScript().clear();
    SetKeySource(NextScriptedKey);
    SetPresenter(CountPresent);
    loop = InitialLoopState();
    gameDraws = &draws;
    SetScaledDrawObserver(CompareGameDraw);
  }
  void TearDown() override {
    gameDraws = nullptr;
    for (auto& t : bestTime) t = 0;
    for (auto& f : clearFlg) f = 0;
    KeyScript().clear();
    ScaledDrawIdentity::TearDown();
  }
  void Frame(uint8_t keys = 0) {
    PushKeys(keys, 1);
    RunSceneOnce(screen, &loop);
  }
  void Press(uint8_t key) {
    Frame(key);
    Frame(0);
  }
  template <typename Done>
  void FramesUntil(Done done, const char* what) {
    for (int i = 0; i < 3000 && !done(); ++i) Frame(0);
    ASSERT_TRUE(done()) << what;
  }

  LoopState loop;
  GameDraws draws;
};

TEST_F(GameScaledDraws, HelpCalloutsBestTimeLabelCourseZoomsAndCountdownsMatchTheWholeSheetZoom) {
  FramesUntil([] { return FrontEndView().titleCnt == 5; }, "intro");
  // The help screen: the callouts grow over 14 frames, then the page fades in.
  while (FrontEndView().changeCnt != 1) Press(KEY_DOWN);
  Press(KEY_Z);
  FramesUntil([] { return FrontEndView().helpFlg == 2; }, "help open");
  for (int i = 0; i < 15; ++i) Frame(0);
  Press(KEY_X);
  FramesUntil([] { return FrontEndView().titleCnt == 5; }, "back to the menu");
  // Mode 1, whose course select shows the scaled best-time label.
  while (FrontEndView().changeCnt != 0) Press(KEY_DOWN);
  Press(KEY_Z);
  FramesUntil([this] { return loop.sceneCode == SCENE_TITLE && FrontEndView().modeFlg == 1; }, "mode select");
  Press(KEY_Z);
  auto choosing = [] { return FrontEndView().titleCnt == 10 && FrontEndView().mapSelectFlg == 1; };
  FramesUntil(choosing, "course select");
  for (int course = 0; course < 6; ++course) {
    while (FrontEndView().mapTX / 152 < course) Press(KEY_RIGHT);
    for (int i = 0; i < 25; ++i) Frame(0);  // the strip settles
    Press(KEY_Z);
    FramesUntil([this] { return loop.sceneCode == SCENE_GAME; }, "race start");
    // Countdown, then past the start banner, which leaves the countdown sheet at
    // alpha 17 for the next race's countdown.
    FramesUntil([] { return race.readyFlg == 2; }, "countdown");
    for (int i = 0; i < 15; ++i) Frame(0);
    Press(KEY_X);
    Press(KEY_DOWN);
    Frame(KEY_Z);
    FramesUntil(choosing, "back in the course select");
  }
  EXPECT_EQ(draws.firstDifference, "");
  EXPECT_EQ(draws.handedOver, 0);
  EXPECT_GE(draws.count["help callout"], 2 * 14);  // two callouts, each scaled in its 14 growing frames
  EXPECT_GT(draws.count["best-time label"], 100);
  EXPECT_EQ(draws.count["countdown cell"], 6 * 59);
  // The zoom's twelfth size, 1536, is the course's own size: that frame starts the race.
  for (int course = 0; course < 6; ++course) {
    EXPECT_EQ(draws.zoomWidths[course], (std::set<int>{160, 200, 250, 312, 390, 487, 608, 760, 950, 1187, 1483}))
        << "course " << course;
  }
  EXPECT_EQ(draws.count["other"], 0);
}

}  // namespace
