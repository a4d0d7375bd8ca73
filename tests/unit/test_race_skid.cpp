// Skid marks: unwrapped slide test, wheel points, joining distance, drawn into bbMap only.
#include "test_race_support.h"

using RaceSkid = RaceSceneTest;

TEST_F(RaceSkid, SlidesSpawnWheelPoints17PxBehindAt195And165Deg) {
  auto spawn = [](float dir, int32_t moveAng) {
    ClearSkidHistory(), car[0] = CarAt(dir, 0, moveAng, 100, 100), SkidSpawnStep();  // centre (126, 138)
    return V(skid.DAnimeLen, skid.RDAnimeGX[0], skid.RDAnimeGY[0], skid.LDAnimeGX[0], skid.LDAnimeGY[0]);
  };
  // 350 and -345 are slides though only 10 and 15 degrees apart; more than 20 is one.
  EXPECT_EQ(V(spawn(0, 350)[0], spawn(23, 0)[0], spawn(0, 20)[0], spawn(0, 21)[0]), V(1, 1, 0, 1));
  EXPECT_EQ(spawn(0.5f, 300), V(1, 109, 133, 109, 142));
  EXPECT_EQ(spawn(6.0f, 300), V(1, 130, 121, 121, 121));
  // The next slide frame keeps the points before it as the start of each wheel's mark.
  spawn(0.5f, 300), car[0] = CarAt(6.0f, 0, 300, 100, 100), SkidSpawnStep();
  EXPECT_EQ(V(skid.RDAnimeGX[1], skid.RDAnimeGY[1], skid.LDAnimeGX[1], skid.LDAnimeGY[1]), V(109, 133, 109, 142));
}

TEST_F(RaceSkid, JoinsPointsUnder20PixelsApart) {
  auto grey = [](int x, int y) { return PixelRGB(img.bbMap, x, y) == 0x646464u; };
  // Two points of the first wheel (dx, dy) apart, the second wheel's 80 px apart.
  for (int dx : {19, 20}) {  // squared distance 19 * 19 + 5 * 5 = 386: joined; 400: not
    SDL_FillRect(img.bbMap, nullptr, 0), skid.DAnimeLen = 2;
    skid.RDAnimeGX[1] = skid.RDAnimeGY[1] = 50, skid.RDAnimeGX[0] = 50 + dx, skid.RDAnimeGY[0] = dx == 19 ? 55 : 50;
    skid.LDAnimeGX[0] = skid.LDAnimeGY[0] = skid.LDAnimeGY[1] = 10, skid.LDAnimeGX[1] = 90;
    SkidScreenStep(), DrawSkidMarks(img.bbMap);
    // Both lines, the second offset (-1, +1); never the far wheel.
    EXPECT_EQ(V(grey(50, 50), grey(49, 51), grey(68, 56), grey(70, 56), grey(50, 10)),
              V(dx == 19, dx == 19, dx == 19, 0, 0))
        << dx;
  }
}

TEST_F(RaceSkid, ASlideInTheRaceMarksBbMapOnly) {
  RunCountdown();
  Frames(20, KEY_UP), Frames(8, KEY_UP | KEY_RIGHT);
  int grey[2] = {};  // in bbMap, in the collision copy; the course has no such grey of its own
  for (int y = 940; y < 1100; ++y)
    for (int x = 600; x < 1000; ++x)
      for (int k : {0, 1}) grey[k] += PixelRGB(k ? img.mapImage : img.bbMap, x, y) == 0x646464u;
  EXPECT_EQ(V(grey[0] > 4, grey[1]), V(1, 0));
}
