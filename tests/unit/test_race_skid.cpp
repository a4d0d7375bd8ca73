// Skid marks: unwrapped slide test, wheel points, joining distance, drawing into bbMap only.
#include "gfx/images.h"
#include "gfx/palette.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race/skid_marks.h"
#include "test_support.h"

namespace {

class RaceSkid : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ResetRaceState();
    car[0] = car[1] = CarState{};
    ClearSkidHistory();
  }
};

TEST_F(RaceSkid, UnwrappedDifferenceDecidesAPoint) {
  car[0].dir = 0;
  car[0].moveAng = 350;  // s = 350: a point, though only 10 degrees apart
  SkidSpawnStep();
  EXPECT_EQ(skid.DAnimeLen, 1);
  car[0].dir = 23;  // heading 345, moveAng 0: s = -345
  car[0].moveAng = 0;
  SkidSpawnStep();
  EXPECT_EQ(skid.DAnimeLen, 2);
  ClearSkidHistory();
  car[0].dir = 0;
  car[0].moveAng = 20;  // exactly 20: no point
  SkidSpawnStep();
  EXPECT_EQ(skid.DAnimeLen, 0);
  car[0].moveAng = 21;
  SkidSpawnStep();
  EXPECT_EQ(skid.DAnimeLen, 1);
}

TEST_F(RaceSkid, WheelPointsSit17PixelsBehindAt195And165) {
  car[0].posX = 100;
  car[0].posY = 200;  // centre (126, 238)
  car[0].dir = 0;
  car[0].moveAng = 90;
  SkidSpawnStep();
  // 17 * cos(195) = -16.42, 17 * sin(195) = -4.40; 165: -16.42, +4.40.
  EXPECT_EQ(skid.RDAnimeGX[0], 109);
  EXPECT_EQ(skid.RDAnimeGY[0], 233);
  EXPECT_EQ(skid.LDAnimeGX[0], 109);
  EXPECT_EQ(skid.LDAnimeGY[0], 242);
  // Heading 270 (dir 18): angles 465 and 435 are used unwrapped.
  car[0].dir = 18;
  SkidSpawnStep();
  EXPECT_EQ(skid.RDAnimeGX[1], 109);  // shifted
  EXPECT_EQ(skid.RDAnimeGX[0], 121);  // 126 + 17 * cos(465) = 126 - 4.40
  EXPECT_EQ(skid.RDAnimeGY[0], 254);  // 238 + 16.42
  EXPECT_EQ(skid.LDAnimeGX[0], 130);  // 126 + 17 * cos(435) = 126 + 4.40
  EXPECT_EQ(skid.LDAnimeGY[0], 254);
}

TEST_F(RaceSkid, ScreenPositionsFollowTheCarsDisplayOffset) {
  skid.RDAnimeGX[0] = 500;
  skid.RDAnimeGY[0] = 300;
  car[0].dispX = 240;
  car[0].dispY = 240;
  car[0].posX = 600.5f;
  car[0].posY = 400;
  SkidScreenStep();
  EXPECT_EQ(skid.RDAnimeLX[0], 139);  // 740 - 600.5 = 139.5
  EXPECT_EQ(skid.RDAnimeLY[0], 140);
}

// Two recorded points of the first wheel apart by (dx, dy); the second wheel far apart.
void TwoPoints(int dx, int dy) {
  skid.DAnimeLen = 2;
  skid.RDAnimeGX[1] = 50;
  skid.RDAnimeGY[1] = 50;
  skid.RDAnimeGX[0] = 50 + dx;
  skid.RDAnimeGY[0] = 50 + dy;
  skid.LDAnimeGX[0] = 10;
  skid.LDAnimeGY[0] = 10;
  skid.LDAnimeGX[1] = 90;
  skid.LDAnimeGY[1] = 10;
  car[0].posX = car[0].posY = 0;
  car[0].dispX = car[0].dispY = 0;
  SkidScreenStep();
}

TEST_F(RaceSkid, JoinsPointsUnder20PixelsWithTwoOffsetLines) {
  SDL_Surface* bb = MakeSurface24(200, 200, 255, 255, 255);
  LineColor = SDL_MapRGB(bb->format, 100, 100, 100);
  TwoPoints(19, 5);  // squared distance 386: joined
  DrawSkidMarks(bb);
  EXPECT_EQ(PixelRGB(bb, 50, 50), 0x646464u);
  EXPECT_EQ(PixelRGB(bb, 49, 51), 0x646464u);  // the second line, (-1, +1)
  EXPECT_EQ(PixelRGB(bb, 69, 55), 0x646464u);
  EXPECT_EQ(PixelRGB(bb, 50, 10), 0xFFFFFFu);  // second wheel 80 px apart: not joined
  SDL_FreeSurface(bb);
  bb = MakeSurface24(200, 200, 255, 255, 255);
  TwoPoints(20, 0);  // exactly 400: not joined
  DrawSkidMarks(bb);
  EXPECT_EQ(PixelRGB(bb, 55, 50), 0xFFFFFFu);
  SDL_FreeSurface(bb);
}

TEST_F(RaceSkid, FirstPointDrawsNothing) {
  SDL_Surface* bb = MakeSurface24(200, 200, 255, 255, 255);
  LineColor = SDL_MapRGB(bb->format, 100, 100, 100);
  car[0].posX = 50;
  car[0].posY = 50;
  car[0].moveAng = 90;
  SkidSpawnStep();
  SkidScreenStep();
  DrawSkidMarks(bb);
  int grey = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) grey += PixelRGB(bb, x, y) == 0x646464u;
  EXPECT_EQ(grey, 0);
  SkidSpawnStep();  // a second point on the same spot: now a (dot) segment
  SkidScreenStep();
  DrawSkidMarks(bb);
  EXPECT_EQ(PixelRGB(bb, skid.RDAnimeGX[0], skid.RDAnimeGY[0]), 0x646464u);
  SDL_FreeSurface(bb);
}

}  // namespace
