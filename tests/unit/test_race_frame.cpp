// The race frame as a whole: what its step order and its setup frame mean for the player.
#include <tuple>

#include "test_race_support.h"

class RaceFrame : public RaceSceneTest {
 protected:
  void SetUp() override {
    RaceSceneTest::SetUp();
    img.carImage = MakeSurface24(CAR_W * 24, CAR_H, 200, 0, 200);
    img.numImage = MakeSurface24(400, 120, 0, 0, 0);
    FillRect(img.numImage, 0, 47, 185, 65, 255, 255, 255);  // the start banner
  }
  uint32_t At(int x, int y) { return PixelRGB(screen, x, y); }
};

TEST_F(RaceFrame, SetupStopsThePlayerOnTheStartWithTheGhost) {
  car[0].speed = 5.0f, car[1].posX = car[1].posY = 5;  // left from the race before
  EXPECT_EQ(Seq() << Frames(1) << car[0].speed << car[0].posX << car[0].posY << car[1].posX << car[1].posY,
            V(4, 0, 667, 984, 667, 984));
}

TEST_F(RaceFrame, CameraFollowsThisFramesMoveCarsOverCourse) {
  RunCountdown();
  for (int frame = 1; frame <= 20; ++frame) {
    Frames(1, KEY_UP);
    // The view is centred on the car in x and stops at the course's bottom edge in y.
    ASSERT_EQ(V(race.mapX, car[0].dispX, car[0].dispY, At(266, 350)), V(int(car[0].posX) - 240, 240, 312, 0xC800C8))
        << frame;
  }
  EXPECT_GT(car[0].posX, 700);
}

TEST_F(RaceFrame, StartBannerIsAnchoredAt82And33AboveTheStart) {
  RunCountdown();
  // The car on its start at screen (240, 312): the banner covers 158..342 by 279..343,
  // translucent, so each corner differs from its outside neighbours, which are the bare course.
  for (auto [x, y, d] : {std::tuple{158, 279, -1}, {342, 343, 1}})
    EXPECT_TRUE(At(x, y) != At(x + d, y) && At(x, y) != At(x, y + d) && At(x + d, y) == At(x + 2 * d, y)) << x;
}

TEST_F(RaceFrame, Checkpoint18AndTheGoalInOneFrameCompleteTheLap) {
  RunCountdown();
  car[0].posX = 672, race.checkOkCnt = 18;  // the goal probe at x 714, inside
  EXPECT_EQ(Seq() << Frames(1) << race.mapNum << race.checkOkCnt, V(4, 1, 0));
}

TEST_F(RaceFrame, CoastingOverTheGoalAfterATimeUpStillFinishes) {
  RunCountdown();
  car[0].posX = 657, car[0].speed = 3.0f;  // 11 px short of the goal probe's hit
  race.mapNum = 2, race.checkOkCnt = 19, race.overTime = 0;
  EXPECT_EQ(Seq() << Frames(1) << race.timeUpFlg << race.goalFlg << race.Time << race.mapNum, V(4, 1, 1, 16, 2));
  EXPECT_EQ(Seq() << Frames(6) << race.mapNum << race.Time << race.ReTime << race.timeUpFlg, V(4, 3, 16, 1, 1));
  EXPECT_NE(ReadTextFile("data/saveCnt0.txt"), "<missing>");  // a first time in mode 1: the run is stored
}

TEST_F(RaceFrame, RightHeldFromFacing6SlidesThenTravelFollows) {
  CarState c = CarAt(6.0f, 0, 90);
  ResetKeyboard();
  SteeringStep(c, 0);
  std::vector<int> lagOver20, slipping;  // frames
  for (int frame = 1; frame <= 80; ++frame) {
    SteeringStep(c, KEY_RIGHT), HeadingStep(c);
    // slipAng is the previous travel against this frame's heading; behind it is 180..359.
    if (c.slipAng >= 180 && 360 - c.slipAng > 20) lagOver20.push_back(frame);
    if (c.slipAng >= 4 && c.slipAng <= 179) slipping.push_back(frame);
  }
  ASSERT_FALSE(lagOver20.empty() || slipping.empty());
  EXPECT_EQ(V(lagOver20.front(), slipping.front(), slipping.back(), slipping.size()), V(3, 49, 64, 16));
}

TEST_F(RaceFrame, RunEntriesStayWithinOneCourseSizeOfTheEdges) {
  WriteTextFile("data/saveCnt0.txt", "3");
  WriteTextFile("data/ghost0.txt", "2500 1500 30 5000 -3000 -1 -2000 9999 47 ");
  bestTime[0] = 5000, run.LoadFlg = 1, run.AiFlg = 1;
  LoadStoredRun(0);
  // Inside -1536..3072 by -1152..2304 as they are; the facing one of the 24 frames.
  std::vector<double> placed;
  for (int i = 0; i < 3; ++i) ReplayStep(), placed.insert(placed.end(), {car[1].posX, car[1].posY, car[1].dir});
  EXPECT_EQ(placed, V(2500, 1500, 6, 3072, -1152, 23, -1536, 2304, 23));
}
