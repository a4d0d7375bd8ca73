// Skid marks: unwrapped slide test, joining distance, drawing.
#include <tuple>

#include "test_race_support.h"

class RaceSkid : public RaceSceneTest {
 protected:
  void TearDown() override {
    SDL_FreeSurface(bb);
    RaceSceneTest::TearDown();
  }
  bool Grey(int x, int y) { return PixelRGB(bb, x, y) == 0x646464u; }
  SDL_Surface* bb = MakeSurface24(200, 200, 255, 255, 255);
};

TEST_F(RaceSkid, UnwrappedDifferenceDecidesAPoint) {
  auto points = [](float dir, int32_t moveAng) {
    ClearSkidHistory();
    car[0] = CarAt(dir, 0, moveAng);
    SkidSpawnStep();
    return skid.DAnimeLen;
  };
  // 350 and -345 are slides though only 10 and 15 degrees apart; more than 20 is one.
  EXPECT_EQ(V(points(0, 350), points(23, 0), points(0, 20), points(0, 21)), V(1, 1, 0, 1));
}

TEST_F(RaceSkid, WheelPointsSit17PixelsBehindTheCentreAt195And165Degrees) {
  for (const auto& [dir, r, l] : {std::tuple{0.5f, V(109, 133), V(109, 142)}, {6.0f, V(130, 121), V(121, 121)}}) {
    ClearSkidHistory();
    car[0] = CarAt(dir, 0, 300, 100, 100);  // centre (126, 138)
    SkidSpawnStep();
    EXPECT_EQ(V(skid.RDAnimeGX[0], skid.RDAnimeGY[0]), r) << dir;
    EXPECT_EQ(V(skid.LDAnimeGX[0], skid.LDAnimeGY[0]), l) << dir;
  }
}

TEST_F(RaceSkid, JoinsPointsUnder20PixelsApartAndNotTheFirst) {
  // Two points of the first wheel (dx, dy) apart, the second wheel's 80 px apart.
  for (int dx : {19, 20}) {  // squared distance 19 * 19 + 5 * 5 = 386: joined; 400: not
    SDL_FillRect(bb, nullptr, SDL_MapRGB(bb->format, 255, 255, 255));
    skid.DAnimeLen = 2;
    skid.RDAnimeGX[1] = skid.RDAnimeGY[1] = 50;
    skid.RDAnimeGX[0] = 50 + dx, skid.RDAnimeGY[0] = dx == 19 ? 55 : 50;
    skid.LDAnimeGX[0] = skid.LDAnimeGY[0] = skid.LDAnimeGY[1] = 10;
    skid.LDAnimeGX[1] = 90;
    SkidScreenStep();
    DrawSkidMarks(bb);
    // Both lines, the second offset (-1, +1); never the far wheel.
    EXPECT_EQ(V(Grey(50, 50), Grey(49, 51), Grey(50, 10)), V(dx == 19, dx == 19, 0)) << dx;
  }
  SDL_FillRect(bb, nullptr, SDL_MapRGB(bb->format, 255, 255, 255));
  ClearSkidHistory();
  car[0] = CarAt(0, 0, 90, 50, 50);
  for (int expected : {0, 1}) {  // the first point alone draws nothing; a second on the same spot a dot
    SkidSpawnStep();
    SkidScreenStep();
    DrawSkidMarks(bb);
    EXPECT_EQ(V(Grey(skid.RDAnimeGX[0], skid.RDAnimeGY[0]), Grey(skid.LDAnimeGX[0], skid.LDAnimeGY[0])),
              V(expected, expected));
  }
}
