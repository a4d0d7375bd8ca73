// Camera clamp and screen positions, countdown zoom samples, banner and ghost alphas, the HUD.
#include "test_race_support.h"

using RaceView = RaceSceneTest;

TEST_F(RaceView, CameraSamples) {
  // mapX, mapY, the player's dispX, dispY and the second car's, placed from the player's screen position.
  auto camera = [](float x, float y) {
    car[0] = CarAt(0, 0, 0, x, y), car[1] = CarAt(0, 0, 0, x + 39.5f, y - 30.25f), CameraStep();
    return V(race.mapX, race.mapY, car[0].dispX, car[0].dispY, car[1].dispX, car[1].dispY);
  };
  // Truncated toward zero, not floored; clamped at 1056, 672.
  EXPECT_EQ(camera(100.7f, 50.2f), V(0, 0, 101, 51, 140, 20));
  EXPECT_EQ(camera(1400, 1100), V(1056, 672, 344, 428, 383, 397));
  EXPECT_EQ(camera(700, 600), V(460, 360, 240, 240, 279, 209));
}

TEST_F(RaceView, CountdownZoomAndStartBanner) {
  auto digit = [](int32_t rCnt) {
    const CountdownDigit d = CountdownDigitFor(rCnt, 240, 240);
    return V(d.cell, d.m, d.w, d.h, d.w ? d.x - 240 : 0, d.w ? d.y - 240 : 0);
  };
  EXPECT_EQ(digit(148), V(0, 24, 18, 20, -9, -10));
  EXPECT_EQ(digit(122), V(0, 29, 3, 3, -1, -1));
  EXPECT_EQ(digit(118), V(1, 25, 15, 17, -7, -8));
  EXPECT_EQ(digit(32), V(3, 1, 87, 101, -43, -50));
  EXPECT_EQ(V(StartBannerAlpha(26), StartBannerAlpha(14), StartBannerAlpha(2)), V(221, 119, 17));
}

TEST_F(RaceView, GhostAlphaGrowsWithScreenDistanceUpTo150) {
  race.mode = race.secondCarFlg = 1, bestTime[0] = 1000;
  auto alpha = [this](float dx) {
    car[0] = CarAt(0, 0, 0, 600, 600), car[1] = CarAt(0, 0, 0, 600 + dx, 600);
    return CameraStep(), DrawCars(screen), car[1].alpha;
  };
  EXPECT_EQ(V(alpha(40), alpha(100), alpha(0), alpha(50)), V(80, 150, 0, 125));
}

TEST_F(RaceView, RivalDrawnOnItsSlotsBestTimeFromItsOwnSheet) {
  img.EcarImage = MakeSurface24(52 * 24, 76, 0, 200, 0);
  race.mode = 2, race.secondCarFlg = 1, race.mapCnt = 6, bestTime[6] = 1000;  // course 0 has no best time
  car[0] = CarAt(0, 0, 0, 600, 600), car[1] = CarAt(0, 0, 0, 700, 600);
  CameraStep(), DrawCars(screen);
  EXPECT_EQ(PixelRGB(screen, car[1].dispX + 1, car[1].dispY + 1), 0x00C800u);
}

TEST_F(RaceView, HudAtRaceStartOnCourse0) {
  // Every cell of the digit sheet has its own colour (10 + digit, row, 0), and its top-left
  // pixel a blue 99: a probe on that corner fails when the glyph moves by a pixel either way.
  SDL_Surface* s = img.numImage2 = MakeSurface24(640, 220, 0, 0, 0);
  auto cell = [s](int x, int y, int w, int h, int r, int g) {
    FillRect(s, x, y, w, h, r, g, 0), FillRect(s, x, y, 1, 1, r, g, 99);
  };
  for (int d = 0; d < 10; ++d) cell(32 * d, 42, 32, 42, 10 + d, 42), cell(32 * d, 84, 32, 42, 10 + d, 84);
  for (int d = 0; d < 10; ++d) cell(21 * d, 126, 21, 22, 10 + d, 126);
  cell(352, 42, 32, 42, 200, 1), cell(421, 43, 46, 20, 200, 2), cell(421, 63, 46, 20, 200, 3);  // slash, labels
  auto glyph = [](int digit, int row) {
    return (static_cast<uint32_t>(10 + digit) << 16) | (static_cast<uint32_t>(row) << 8) | 99;
  };
  // Slot 6, course 0's rival: the slot's own best time, not the course's.
  race.mapCnt = 6, race.mode = 2, race.overTime = 120000, bestTime[6] = 83456, DrawHud(screen);
  auto at = [this](int x, int y) { return PixelRGB(screen, x, y); };
  // 120 s left from x 150; laps 0 / 3.
  EXPECT_EQ(V(at(150, 0), at(182, 0), at(214, 0)), V(glyph(1, 84), glyph(2, 84), glyph(0, 84)));
  EXPECT_EQ(V(at(0, 0), at(32, 0), at(64, 0)), V(glyph(0, 42), 0xC80163, glyph(3, 42)));
  // The labels; best 1:23.456 and race time 0 in style 1 from x 300, places 16 apart, leading
  // minute places empty.
  EXPECT_EQ(V(at(320, 15), at(320, 57), at(332, 77), at(300, 77)), V(0xC80263, 0xC80363, glyph(0, 126), 0));
  EXPECT_EQ(V(at(332, 35), at(364, 35), at(412, 35)), V(glyph(1, 126), glyph(2, 126), glyph(4, 126)));
}
