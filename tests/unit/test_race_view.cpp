// Camera clamp and screen positions, countdown zoom samples, banner alphas, ghost alpha, HUD.
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race/race_view.h"
#include "records/record_tables.h"
#include "test_support.h"

namespace {

class RaceView : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ResetRaceState();
    car[0] = car[1] = CarState{};
    for (auto& t : bestTime) t = 0;
  }
  void TearDown() override {
    for (auto& t : bestTime) t = 0;
    SceneTest::TearDown();
  }
};

TEST_F(RaceView, CameraClampsAndTruncatesTowardZero) {
  car[0].posX = 100.7f;
  car[0].posY = 50.2f;
  CameraStep();
  EXPECT_EQ(race.mapX, 0);
  EXPECT_EQ(race.mapY, 0);
  EXPECT_EQ(car[0].camX, 240);
  EXPECT_EQ(car[0].camY, 240);
  EXPECT_EQ(car[0].dispX, 101);  // trunc(-139.3) + 240, not floor
  EXPECT_EQ(car[0].dispY, 51);
  car[0].posX = 1400.0f;
  car[0].posY = 1100.0f;
  CameraStep();
  EXPECT_EQ(race.mapX, 1056);
  EXPECT_EQ(race.mapY, 672);
  EXPECT_EQ(car[0].camX, 1296);
  EXPECT_EQ(car[0].dispX, 344);
  EXPECT_EQ(car[0].dispY, 1100 - 912 + 240);
  car[0].posX = 700.0f;
  car[0].posY = 600.0f;
  CameraStep();
  EXPECT_EQ(car[0].dispX, 240);
  EXPECT_EQ(car[0].dispY, 240);
}

TEST_F(RaceView, SecondCarIsPlacedRelativeToThePlayer) {
  car[0].posX = 100.7f;
  car[0].posY = 50.2f;
  car[1].posX = 140.0f;
  car[1].posY = 20.0f;
  CameraStep();
  EXPECT_EQ(car[1].dispX, static_cast<int>(101 + 140.0f - 100.7f));
  EXPECT_EQ(car[1].dispX, 140);
  EXPECT_EQ(car[1].dispY, 20);  // 51 - 30.2 = 20.8, truncated
}

TEST_F(RaceView, CountdownZoomSamples) {
  struct Sample {
    int rCnt, cell, m, w, h, dx, dy;
  };
  const Sample samples[] = {
      {148, 0, 24, 18, 20, -9, -10}, {124, 0, 0, 90, 104, -45, -52}, {122, 0, 29, 3, 3, -1, -1},
      {118, 1, 25, 15, 17, -7, -8},  {92, 1, 30, 0, 0, 0, 0},        {62, 2, 0, 90, 104, -45, -52},
      {32, 3, 1, 87, 101, -43, -50},
  };
  for (const Sample& s : samples) {
    const CountdownDigit d = CountdownDigitFor(s.rCnt, 240, 240);
    EXPECT_EQ(d.cell, s.cell) << s.rCnt;
    EXPECT_EQ(d.m, s.m) << s.rCnt;
    EXPECT_EQ(d.w, s.w) << s.rCnt;
    EXPECT_EQ(d.h, s.h) << s.rCnt;
    if (s.w > 0) {
      EXPECT_EQ(d.x, 240 + s.dx) << s.rCnt;
      EXPECT_EQ(d.y, 240 + s.dy) << s.rCnt;
    }
  }
}

TEST_F(RaceView, StartBannerFadesOverThirteenFrames) {
  std::vector<int> alphas;
  for (int r = 26; r > 0; r -= 2) alphas.push_back(StartBannerAlpha(r));
  EXPECT_EQ(alphas, (std::vector<int>{221, 204, 187, 170, 153, 136, 119, 102, 85, 68, 51, 34, 17}));
}

TEST_F(RaceView, GhostAlphaGrowsWithScreenDistanceUpTo150) {
  race.mode = 1;
  race.mapCnt = 0;
  race.secondCarFlg = 1;
  bestTime[0] = 1000;
  car[0].posX = car[0].posY = 600;
  car[1].posY = 600;
  const float cases[][2] = {{40, 80.0f}, {100, 150.0f}, {0, 0.0f}, {50, 125.0f}};
  for (const auto& c : cases) {
    car[1].posX = 600 + c[0];
    CameraStep();
    DrawCars(screen);
    EXPECT_EQ(car[1].alpha, c[1]) << c[0];
  }
  // Without a second car nothing is computed (and nothing drawn).
  race.secondCarFlg = 0;
  car[1].alpha = -1;
  DrawCars(screen);
  EXPECT_EQ(car[1].alpha, -1.0f);
}

// A digit sheet whose every glyph cell has its own colour, so the screen shows
// which glyph was drawn where.
SDL_Surface* ColourCodedDigitSheet() {
  SDL_Surface* s = MakeSurface24(640, 220, 0, 0, 0);
  for (int d = 0; d < 10; ++d) {
    FillRect(s, 32 * d, 42, 32, 42, 10 + d, 42, 0);    // style 3/4 row
    FillRect(s, 32 * d, 84, 32, 42, 10 + d, 84, 0);    // style 2 row
    FillRect(s, 21 * d, 126, 21, 22, 10 + d, 126, 0);  // style 1 row
  }
  FillRect(s, 210, 126, 21, 22, 99, 126, 0);  // style 1 separator
  FillRect(s, 352, 42, 32, 42, 200, 1, 1);    // slash
  FillRect(s, 421, 43, 46, 20, 200, 2, 2);    // best-time label
  FillRect(s, 421, 63, 46, 20, 200, 3, 3);    // race-time label
  return s;
}

uint32_t Glyph(int digit, int row) { return (uint32_t(10 + digit) << 16) | (uint32_t(row) << 8); }

TEST_F(RaceView, HudAtRaceStartOnCourse0) {
  img.numImage2 = ColourCodedDigitSheet();
  SDL_FillRect(screen, nullptr, 0);
  race.mapCnt = 0;
  race.overTime = 120000;
  race.mapNum = 0;
  race.Time = 0;
  bestTime[0] = 83456;
  DrawHud(screen);
  // 120 seconds left, style 2 from x 150.
  EXPECT_EQ(PixelRGB(screen, 151, 1), Glyph(1, 84));
  EXPECT_EQ(PixelRGB(screen, 183, 1), Glyph(2, 84));
  EXPECT_EQ(PixelRGB(screen, 215, 1), Glyph(0, 84));
  // Laps 0 / 3.
  EXPECT_EQ(PixelRGB(screen, 1, 1), Glyph(0, 42));
  EXPECT_EQ(PixelRGB(screen, 33, 1), 0xC80101u);
  EXPECT_EQ(PixelRGB(screen, 65, 1), Glyph(3, 42));
  // Labels.
  EXPECT_EQ(PixelRGB(screen, 321, 16), 0xC80202u);
  EXPECT_EQ(PixelRGB(screen, 321, 58), 0xC80303u);
  // Best time 1:23.456 in style 1 at (300, 35): minutes in place 2, seconds at +64.
  EXPECT_EQ(PixelRGB(screen, 300 + 32 + 1, 36), Glyph(1, 126));
  EXPECT_EQ(PixelRGB(screen, 300 + 64 + 1, 36), Glyph(2, 126));
  EXPECT_EQ(PixelRGB(screen, 300 + 112 + 1, 36), Glyph(4, 126));
  // Race time 0 at (300, 77).
  EXPECT_EQ(PixelRGB(screen, 300 + 32 + 1, 78), Glyph(0, 126));
  EXPECT_EQ(PixelRGB(screen, 300 + 1, 78), 0u);  // leading minute places left empty
}

}  // namespace
